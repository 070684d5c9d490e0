// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — "Test set...": a finished set proved whole from the window.
#pragma once

class QString;

class MainWindow;

/**
 * Asks for a zip of a set or its .sfv, tests the whole set with the progress
 * on the progress bar, and shows the verdict in a message box that names
 * every fault. No file of the set is changed.
 */
void testSetFromWindow(MainWindow &window);

/** The same test on the set `path` belongs to, without the question. */
void testSet(MainWindow &window, const QString &path);
