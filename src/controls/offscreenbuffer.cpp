// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the off-screen surface the progress bar draws on before it shows a picture.
#include "controls/offscreenbuffer.h"

#include <QPainter>

QPaintDevice *OffscreenBuffer::surface(QSize size, qreal devicePixelRatio)
{
    const bool covers = !m_pixmap.isNull() && width() >= size.width() && height() >= size.height()
        && m_pixmap.devicePixelRatio() == devicePixelRatio;
    if (covers)
        return &m_pixmap;
    m_pixmap = QPixmap();
    if (size.isEmpty())
        return nullptr;
    QPixmap made(size * devicePixelRatio);
    if (made.isNull())
        return nullptr;
    made.setDevicePixelRatio(devicePixelRatio);
    m_pixmap = std::move(made);
    return &m_pixmap;
}

int OffscreenBuffer::width() const
{
    return int(m_pixmap.deviceIndependentSize().width());
}

int OffscreenBuffer::height() const
{
    return int(m_pixmap.deviceIndependentSize().height());
}

void OffscreenBuffer::draw(QPainter &target, QPoint at, QPoint from, QSize size) const
{
    if (m_pixmap.isNull())
        return;
    if (!size.isValid())
        size = QSize(width(), height());
    const QPainter::CompositionMode mode = target.compositionMode();
    // A copy, not a blend: what was on the target goes.
    target.setCompositionMode(QPainter::CompositionMode_Source);
    // The source rectangle counts the pixmap's own pixels.
    const qreal ratio = m_pixmap.devicePixelRatio();
    const QRectF source(QPointF(from) * ratio, QSizeF(size) * ratio);
    target.drawPixmap(QRectF(at, size), m_pixmap, source);
    target.setCompositionMode(mode);
}

void OffscreenBuffer::release()
{
    m_pixmap = QPixmap();
}
