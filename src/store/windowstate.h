// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — varko2k.ini: the main window's state, geometry, splitters and browser folder.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/** The screen size in twips (15 to the pixel). */
struct ScreenTwips
{
    int width = 0;
    int height = 0;
};

/** The window as shutdown finds it; geometry in twips. */
struct WindowSnapshot
{
    enum class Show { Normal, Minimized, Maximized };
    Show show = Show::Normal;
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
    int panel1Width = 0; ///< the first splitter's position
    int panel3Top = 0; ///< the second splitter's position
    QString dir; ///< the folder selected in the browser tree
};

/** What start-up applies from the file; unset fields keep the designed values. */
struct WindowPlacement
{
    enum class Splitter { Designed, Half, Value };
    bool maximize = false;
    int state = 0; ///< 0 normal, or the stored state other than 1 and 2
    std::optional<int> top, left, height, width;
    Splitter panel1 = Splitter::Designed;
    int panel1Width = 0;
    std::optional<int> panel3Top;
    QString dir;
    QString
        dirRefused; ///< why the stored folder was not taken ("PATH: line 9 (Dir): holds a NUL byte"); empty when it was
};

constexpr int kWindowStateLineCount = 9;

/** The nine lines shutdown writes. */
QStringList windowStateLines(const QString &version, const WindowSnapshot &window, ScreenTwips screen);

/** The nine lines of a missing or short file; `state` is the window's state at that moment. */
QStringList defaultWindowStateLines(const QString &version, int state, ScreenTwips screen);

/**
 * Reads the nine lines by position and applies the screen fallbacks. `lines`
 * must hold at least nine (the caller writes the defaults first otherwise).
 * A number outside the 16-bit range leaves its value at the designed one.
 */
WindowPlacement readWindowState(const QStringList &lines, ScreenTwips screen);

/**
 * Start-up: writes the default lines when the file at `path` is missing or
 * has fewer than nine lines, then reads it. When the defaults cannot be
 * written, or something that is not a file has the name, they are read
 * from memory instead.
 */
WindowPlacement loadWindowStateFile(const QString &path, const QString &version, int currentState, ScreenTwips screen);

/** Shutdown: writes the nine lines. */
bool saveWindowStateFile(const QString &path, const QString &version, const WindowSnapshot &window, ScreenTwips screen);
