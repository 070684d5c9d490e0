// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a colour as the progress bar stores it: a system colour code or a plain RGB value.
#include "controls/controlcolor.h"

#include <QPalette>

#include <array>

namespace {

struct PaletteEntry
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr PaletteEntry active(QPalette::ColorRole role)
{
    return {QPalette::Active, role};
}
constexpr PaletteEntry inactive(QPalette::ColorRole role)
{
    return {QPalette::Inactive, role};
}

// The system colour indices of the original platform, each mapped onto the
// palette role a Qt desktop draws the same thing with. The 3-D shades follow
// Qt's own ladder: Light above Midlight above Button above Mid above Dark
// above Shadow.
constexpr std::array<PaletteEntry, 32> systemColors = {
    active(QPalette::Button), // 0 scroll bar
    active(QPalette::Dark), // 1 desktop
    active(QPalette::Highlight), // 2 active caption
    inactive(QPalette::Highlight), // 3 inactive caption
    active(QPalette::Window), // 4 menu
    active(QPalette::Base), // 5 window
    active(QPalette::Shadow), // 6 window frame
    active(QPalette::WindowText), // 7 menu text
    active(QPalette::WindowText), // 8 window text
    active(QPalette::HighlightedText), // 9 caption text
    active(QPalette::Button), // 10 active border
    active(QPalette::Button), // 11 inactive border
    active(QPalette::Mid), // 12 application workspace
    active(QPalette::Highlight), // 13 highlight
    active(QPalette::HighlightedText), // 14 highlighted text
    active(QPalette::Button), // 15 button face
    active(QPalette::Dark), // 16 button shadow
    {QPalette::Disabled, QPalette::Text}, // 17 grey text
    active(QPalette::ButtonText), // 18 button text
    inactive(QPalette::HighlightedText), // 19 inactive caption text
    active(QPalette::Light), // 20 button highlight
    active(QPalette::Shadow), // 21 3-D dark shadow
    active(QPalette::Midlight), // 22 3-D light
    active(QPalette::ToolTipText), // 23 info text
    active(QPalette::ToolTipBase), // 24 info background
    active(QPalette::Button), // 25 unassigned
    active(QPalette::Link), // 26 hot-tracked item
    active(QPalette::Highlight), // 27 active caption gradient
    inactive(QPalette::Highlight), // 28 inactive caption gradient
    active(QPalette::Highlight), // 29 menu highlight
    active(QPalette::Window), // 30 menu bar
    active(QPalette::Button), // 31 unassigned
};

} // namespace

ControlColor::ControlColor(const QColor &rgb)
    : m_code(rgb.rgb() & 0x00FFFFFFu)
{
}

ControlColor::ControlColor(Qt::GlobalColor rgb)
    : ControlColor(QColor(rgb))
{
}

QColor ControlColor::resolved(const QPalette &palette) const
{
    if (!isSystem())
        return QColor::fromRgb(m_code & 0x00FFFFFFu);
    const PaletteEntry entry = systemColors[m_code & 0x1Fu];
    return palette.color(entry.group, entry.role);
}
