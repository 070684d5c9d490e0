// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the mode picture: how the volumes are packed, at a glance.
#include "dialogs/modepicture.h"

#include "engine/placement.h"

#include <QPainter>

PackMode packMode(const RipSettings &settings)
{
    if (isZipping(settings))
        return PackMode::Zip;
    return settings.rarace == 1 ? PackMode::Rar : PackMode::Ace;
}

namespace {

struct ModeLook
{
    QColor fill;
    QString label;
};

ModeLook modeLook(PackMode mode)
{
    switch (mode) {
    case PackMode::Zip: return {QColor(0x2e, 0x7d, 0x32), QStringLiteral("ZIP")};
    case PackMode::Rar: return {QColor(0x8e, 0x24, 0xaa), QStringLiteral("RAR")};
    case PackMode::Ace: return {QColor(0xc6, 0x28, 0x28), QStringLiteral("ACE")};
    }
    return {};
}

} // namespace

QPixmap modePixmap(PackMode mode, int side)
{
    // Drawn rather than loaded: three colours and a word, sharp at any size.
    const ModeLook look = modeLook(mode);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look.fill.darker(140));
    painter.setBrush(look.fill);
    const qreal radius = side / 6.0;
    painter.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), radius, radius);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(side * 3 / 10);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, look.label);
    return pixmap;
}
