// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — where the progress bar's parts go: inner rectangle, bar, separators and border lines.
#pragma once

#include "controls/controlcolor.h"

#include <QList>
#include <QRect>

/** `Appearance`: how the border looks. */
enum class BarAppearance { Flat = 0, Thin3D = 1, Thick3D = 2 };
/** `BorderStyle`: whether there is a border and which way it is lit. */
enum class BarBorderStyle { None = 0, Sunken = 1, Raised = 2 };

/**
 * The filled part of the range: (value - min) / (max - min), limited to 0 to 1.
 * An empty range (max equal to min) counts as an empty bar.
 */
double fillFraction(int value, int min, int max);

/**
 * The client rectangle less the border: 2 pixels on every side for a thick
 * border, 1 for any other `appearance`, none when `borderStyle` is 0.
 */
QRect innerRect(const QRect &client, int appearance, int borderStyle);

/** Whether a control of `client`'s shape fills from the bottom up (height at least width). */
bool fillsUpward(const QRect &client);

/**
 * The bar: the part of `inner` filled by `fraction`, from the left or, on an
 * upright control, from the bottom; the moving edge is rounded to a whole
 * pixel. With `segments` that edge moves to a multiple of 10 pixels counted
 * from the control's own edge: back towards the left on a horizontal bar
 * (never past the inner left edge), up on an upright one (staying inside
 * `inner`).
 */
QRect barRect(const QRect &client, const QRect &inner, double fraction, bool segments);

/**
 * The 2-pixel gaps that cut a segmented bar into 8-pixel blocks, across the
 * whole inner rectangle: every 10 pixels from 8 pixels past the bar's left
 * edge along a horizontal bar, or past its top edge down an upright one.
 * Gaps reaching past the bar are listed as they are; drawing is clipped to it.
 */
QList<QRect> separatorRects(const QRect &client, const QRect &inner, const QRect &bar);

/** One line of a border, one pixel wide, in one colour. */
struct BorderLine
{
    QRect rect;
    ControlColor color;
    friend bool operator==(const BorderLine &, const BorderLine &) = default;
};

/**
 * The lines of the border for `appearance` and `borderStyle`: a black frame
 * for a flat look; one 3-D edge for a thin look (for a raised one on the
 * inner rectangle); a double soft edge for a thick one. Unknown values and a
 * border style of 0 have no lines. Later lines are drawn over earlier ones.
 */
QList<BorderLine> borderLines(const QRect &client, int appearance, int borderStyle);
