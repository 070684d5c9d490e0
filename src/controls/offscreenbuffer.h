// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the off-screen surface the progress bar draws on before it shows a picture.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QSize>

class QPainter;

/**
 * A drawing surface like the display's, kept between draws. It only grows:
 * asking for a size it already covers in both directions returns the same
 * surface with its pixels; asking for more replaces it with one of exactly the
 * size asked for. Sizes are in device-independent pixels.
 */
class OffscreenBuffer
{
public:
    /**
     * A surface at least `size` large, for a screen of `devicePixelRatio`;
     * a change of ratio makes a new one. Null when none can be made (an empty
     * or too large size); the caller then draws straight onto its target.
     */
    QPaintDevice *surface(QSize size, qreal devicePixelRatio = 1.0);

    /** The surface's size; 0 by 0 before the first one is made and after `release`. */
    int width() const;
    int height() const;

    /**
     * Copies the rectangle at `from` of `size` (the whole buffer when `size`
     * is not valid) onto `target` at `at`, replacing what was there.
     */
    void draw(QPainter &target, QPoint at, QPoint from = {}, QSize size = {}) const;

    /** Lets the surface go; the next `surface` call makes a new one. */
    void release();

private:
    QPixmap m_pixmap;
};
