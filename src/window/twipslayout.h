// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the layout rules: where the main window's parts go for a given client size, in twips.
#pragma once

#include <QRect>

/** A rectangle in twips (15 to the pixel). */
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect &) const = default;
};

/** The window as the layout finds it; lengths in twips. */
struct LayoutInput
{
    int innerWidth = 0; ///< client area
    int innerHeight = 0;
    int windowHeight = 0; ///< the whole window, frame included
    int queueHeight = 0; ///< the queue pane's current height
    int splitterPosition = 0; ///< the browser splitter's left pane width
    bool maximized = false;
};

/** Every part's place, and the pane sizes the layout settled on. */
struct WindowLayout
{
    TwipsRect toolbar, frame1, logo, browser, queue;
    TwipsRect totals, archiveType, archiveSize, paths, zip, progress, ripto, corner;
    int queueHeight = 0;
    int splitterPosition = 0;
};

/** The window's smallest size in twips; a smaller one snaps back to it. */
constexpr int kMinWindowWidth = 7800;
constexpr int kMinWindowHeight = 5000;
constexpr int kTwipsPerPixel = 15;

/**
 * The layout of a window that is not minimised: the browser fills what the
 * queue pane and the bottom row leave, the file list keeps 1300 twips when
 * the splitter is far right, a queue pane too tall for the window drops to
 * 2000, and a maximised window's rip-to panel grows by 290.
 */
WindowLayout layoutWindow(const LayoutInput &in);

/** A rectangle in twips as the pixels a widget is placed at. */
QRect pixels(const TwipsRect &r);
