// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — where the progress bar's parts go: inner rectangle, bar, separators and border lines.
#include "controls/progressgeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SegmentPitch = 10;
constexpr int SegmentBlock = 8;
constexpr int SeparatorWidth = SegmentPitch - SegmentBlock;

int roundDownToSegment(int coordinate)
{
    return coordinate - coordinate % SegmentPitch;
}

// Rectangles here are given by their edges, right and bottom exclusive, which
// is how the fill rules count: a 200 pixel wide control's inner right edge is 199.
QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// One 3-D edge around `r`: top and left in one colour, bottom and right in the
// other; the bottom-left and top-right corners belong to the bottom and right.
void addEdge(QList<BorderLine> &lines, const QRect &r, ControlColor topLeft, ControlColor bottomRight)
{
    lines.append({QRect(r.left(), r.top(), r.width() - 1, 1), topLeft});
    lines.append({QRect(r.left(), r.top(), 1, r.height() - 1), topLeft});
    lines.append({QRect(r.left(), r.bottom(), r.width(), 1), bottomRight});
    lines.append({QRect(r.right(), r.top(), 1, r.height()), bottomRight});
}

} // namespace

double fillFraction(int value, int min, int max)
{
    if (max == min)
        return 0.0;
    const double fraction = (double(value) - min) / (double(max) - min);
    return std::clamp(fraction, 0.0, 1.0);
}

QRect innerRect(const QRect &client, int appearance, int borderStyle)
{
    if (borderStyle == int(BarBorderStyle::None))
        return client;
    const int inset = appearance == int(BarAppearance::Thick3D) ? 2 : 1;
    return client.adjusted(inset, inset, -inset, -inset);
}

bool fillsUpward(const QRect &client)
{
    return client.height() >= client.width();
}

QRect barRect(const QRect &client, const QRect &inner, double fraction, bool segments)
{
    const int left = inner.left();
    const int top = inner.top();
    const int right = inner.left() + inner.width();
    const int bottom = inner.top() + inner.height();
    if (fillsUpward(client)) {
        int edge = int(std::lround(top + (1.0 - fraction) * (bottom - top)));
        if (segments)
            edge = std::clamp(roundDownToSegment(edge - client.top()) + client.top(), top, bottom);
        return fromEdges(left, edge, right, bottom);
    }
    int edge = int(std::lround(left + fraction * (right - left)));
    if (segments)
        edge = std::max(roundDownToSegment(edge - client.left()) + client.left(), left);
    return fromEdges(left, top, edge, bottom);
}

QList<QRect> separatorRects(const QRect &client, const QRect &inner, const QRect &bar)
{
    QList<QRect> gaps;
    if (bar.isEmpty())
        return gaps;
    if (fillsUpward(client)) {
        // The blocks hang from the moving top edge, which segments keep on the
        // 10-pixel grid, so the topmost block is always whole.
        const int bottom = bar.top() + bar.height();
        for (int y = bar.top() + SegmentBlock; y <= bottom; y += SegmentPitch)
            gaps.append(QRect(inner.left(), y, inner.width(), SeparatorWidth));
        return gaps;
    }
    const int right = bar.left() + bar.width();
    for (int x = bar.left() + SegmentBlock; x <= right; x += SegmentPitch)
        gaps.append(QRect(x, inner.top(), SeparatorWidth, inner.height()));
    return gaps;
}

QList<BorderLine> borderLines(const QRect &client, int appearance, int borderStyle)
{
    using C = ControlColor;
    QList<BorderLine> lines;
    const bool raised = borderStyle == int(BarBorderStyle::Raised);
    if (borderStyle != int(BarBorderStyle::Sunken) && !raised)
        return lines;
    switch (BarAppearance(appearance)) {
    case BarAppearance::Flat: addEdge(lines, client, Qt::black, Qt::black); break;
    case BarAppearance::Thin3D:
        if (raised)
            addEdge(lines, client.adjusted(1, 1, -1, -1), C::system(C::ButtonHighlight), C::system(C::ButtonShadow));
        else
            addEdge(lines, client, C::system(C::ButtonShadow), C::system(C::ButtonHighlight));
        break;
    case BarAppearance::Thick3D:
        // A soft double edge: the strongest shades outside, the gentler ones within.
        if (raised) {
            addEdge(lines, client, C::system(C::ButtonHighlight), C::system(C::DarkShadow));
            addEdge(lines, client.adjusted(1, 1, -1, -1), C::system(C::LightFace), C::system(C::ButtonShadow));
        } else {
            addEdge(lines, client, C::system(C::DarkShadow), C::system(C::ButtonHighlight));
            addEdge(lines, client.adjusted(1, 1, -1, -1), C::system(C::ButtonShadow), C::system(C::LightFace));
        }
        break;
    }
    return lines;
}
