// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the layout rules: where the main window's parts go for a given client size, in twips.
#include "window/twipslayout.h"

namespace {

constexpr int kToolbarHeight = 390;
constexpr int kBrowserTop = 420;
constexpr int kRowHeight = 285;
constexpr int kProgressWidth = 1725;
constexpr int kCornerWidth = 255;

TwipsRect cell(int left, int top, int width)
{
    return {left, top, width, kRowHeight};
}

void layoutBottomRow(const LayoutInput &in, WindowLayout &out)
{
    const int top = in.innerHeight - 315;
    out.totals = cell(30, top, 2230);
    out.archiveType = cell(2310, top, 690);
    out.archiveSize = cell(3030, top, 690);
    out.paths = cell(3750, top, 690);
    out.zip = cell(4470, top, 690);
    out.progress = cell(5190, top, kProgressWidth);
    const int riptoLeft = out.progress.left + out.progress.width + 45;
    out.ripto = cell(riptoLeft, top, in.innerWidth - (in.maximized ? 7000 : 7290));
    out.corner = cell(out.ripto.left + out.ripto.width + 50, top, kCornerWidth);
}

} // namespace

WindowLayout layoutWindow(const LayoutInput &in)
{
    WindowLayout out;
    out.toolbar = {0, 0, in.innerWidth - 860, kToolbarHeight};
    out.frame1 = {0, kToolbarHeight, in.innerWidth + 200, 30};
    out.logo = {in.innerWidth - 830, 50, 800, 330};

    out.queueHeight = in.queueHeight > in.windowHeight - 3000 ? 2000 : in.queueHeight;
    const int browserWidth = in.innerWidth - 30;
    const int browserHeight = in.innerHeight - out.queueHeight - 850;
    out.browser = {15, kBrowserTop, browserWidth, browserHeight};
    out.queue = {0, kBrowserTop + browserHeight + 30, in.innerWidth, out.queueHeight};

    out.splitterPosition = in.splitterPosition;
    if (browserWidth - in.splitterPosition < 1300 && in.splitterPosition > 2300)
        out.splitterPosition = browserWidth - 1300;

    layoutBottomRow(in, out);
    return out;
}

QRect pixels(const TwipsRect &r)
{
    return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel, r.height / kTwipsPerPixel};
}
