// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the options dialog opened over the main window.
#pragma once

class MainWindow;
class Queue;
struct RipSettings;

/**
 * Shows the options dialog modal over `window`, editing the window's live
 * `settings` and `queue`. Every change reaches the window's panels and menus
 * as it is made; the view, sort, font and compression lists when it closes.
 */
void showOptionsDialog(MainWindow &window, RipSettings &settings, Queue &queue);
