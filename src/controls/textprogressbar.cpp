// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the progress bar control: a bar over a background, with text in two colours.
#include "controls/textprogressbar.h"

#include "controls/progressdesign.h"
#include "controls/progressgeometry.h"

#include <QEvent>
#include <QPainter>
#include <QSettings>

#include <concepts>

namespace {

// Tiled pictures start at the rectangle's top-left corner; stretched ones fill it.
void paintPicture(QPainter &painter, const QRect &rect, const QPixmap &picture, int mode)
{
    if (mode == TextProgressBar::TilePicture) {
        painter.drawTiledPixmap(rect, picture);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect, picture);
    painter.restore();
}

Qt::Alignment textAlignment(int alignX, int alignY)
{
    Qt::Alignment alignment;
    alignment |= alignX == 1 ? Qt::AlignHCenter : alignX == 2 ? Qt::AlignRight : Qt::AlignLeft;
    alignment |= alignY == 1 ? Qt::AlignVCenter : alignY == 2 ? Qt::AlignBottom : Qt::AlignTop;
    return alignment;
}

} // namespace

TextProgressBar::TextProgressBar(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel is painted each time, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const DesignProperty &property : progressBarDesign())
        setProperty(property.name, property.defaultValue);
}

template <typename T> void TextProgressBar::assign(T &member, const T &value, const char *name)
{
    if constexpr (std::equality_comparable<T>) {
        if (member == value)
            return;
    }
    member = value;
    emit propertyChanged(QString::fromLatin1(name));
    update();
}

void TextProgressBar::setPicture(const QPixmap &picture)
{
    assign(m_picture, picture, "Picture");
}
void TextProgressBar::setBackColor(ControlColor color)
{
    assign(m_backColor, color, "BackColor");
}
void TextProgressBar::setForeColor(ControlColor color)
{
    assign(m_foreColor, color, "ForeColor");
}
void TextProgressBar::setAppearance(int appearance)
{
    assign(m_appearance, appearance, "Appearance");
}
void TextProgressBar::setBorderStyle(int style)
{
    assign(m_borderStyle, style, "BorderStyle");
}
void TextProgressBar::setBarColor(ControlColor color)
{
    assign(m_barColor, color, "BarColor");
}
void TextProgressBar::setBarForeColor(ControlColor color)
{
    assign(m_barForeColor, color, "BarForeColor");
}
void TextProgressBar::setBarPicture(const QPixmap &picture)
{
    assign(m_barPicture, picture, "BarPicture");
}
void TextProgressBar::setBarPictureMode(int mode)
{
    assign(m_barPictureMode, mode, "BarPictureMode");
}
void TextProgressBar::setBackPictureMode(int mode)
{
    assign(m_backPictureMode, mode, "BackPictureMode");
}
void TextProgressBar::setMin(int min)
{
    assign(m_min, min, "Min");
}
void TextProgressBar::setMax(int max)
{
    assign(m_max, max, "Max");
}
void TextProgressBar::setValue(int value)
{
    assign(m_value, value, "Value");
}
void TextProgressBar::setShowText(bool show)
{
    assign(m_showText, show, "ShowText");
}
void TextProgressBar::setTextAlignX(int align)
{
    assign(m_textAlignX, align, "TextAlignX");
}
void TextProgressBar::setTextAlignY(int align)
{
    assign(m_textAlignY, align, "TextAlignY");
}
void TextProgressBar::setText(const QString &text)
{
    assign(m_text, text, "Text");
}
void TextProgressBar::setSegments(bool segments)
{
    assign(m_segments, segments, "Segments");
}

double TextProgressBar::percent() const
{
    return fillFraction(m_value, m_min, m_max) * 100.0;
}

void TextProgressBar::save(QSettings &settings) const
{
    for (const DesignProperty &property : progressBarDesign())
        settings.setValue(QLatin1String(property.name), toStored(this->property(property.name)));
}

void TextProgressBar::load(const QSettings &settings)
{
    for (const DesignProperty &property : progressBarDesign()) {
        const QVariant stored = settings.value(QLatin1String(property.name));
        setProperty(property.name, fromStored(stored, property.defaultValue));
    }
}

QSize TextProgressBar::sizeHint() const
{
    return QSize(150, fontMetrics().height() + 6);
}

QSize TextProgressBar::minimumSizeHint() const
{
    return QSize(20, fontMetrics().height() + 6);
}

void TextProgressBar::paintEvent(QPaintEvent *)
{
    QPainter screen(this);
    QPaintDevice *surface = m_buffer.surface(size(), devicePixelRatio());
    if (!surface) {
        drawControl(screen);
        return;
    }
    QPainter offscreen(surface);
    drawControl(offscreen);
    offscreen.end();
    m_buffer.draw(screen, QPoint(0, 0), QPoint(0, 0), size());
}

void TextProgressBar::changeEvent(QEvent *event)
{
    // The font is the widget's own, so its setter is QWidget's; it tells us here.
    if (event->type() == QEvent::FontChange)
        emit propertyChanged(QStringLiteral("Font"));
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

void TextProgressBar::drawControl(QPainter &painter) const
{
    const QRect client = rect();
    drawBackground(painter, client);
    const QRect inner = innerRect(client, m_appearance, m_borderStyle);
    const bool withText = m_showText && !m_text.isEmpty();
    if (withText)
        drawText(painter, inner, m_foreColor);
    const QRect bar = barRect(client, inner, fillFraction(m_value, m_min, m_max), m_segments);
    if (!bar.isEmpty()) {
        // Everything from here to the border shows only on the bar, which is
        // what turns the text's second pass into its part over the bar.
        painter.setClipRect(bar);
        drawBar(painter, inner, bar);
        if (withText)
            drawText(painter, inner, m_barForeColor);
        painter.setClipping(false);
    }
    drawBorder(painter, client);
}

void TextProgressBar::drawBackground(QPainter &painter, const QRect &client) const
{
    if (m_picture.isNull())
        painter.fillRect(client, resolved(m_backColor));
    else
        paintPicture(painter, client, m_picture, m_backPictureMode);
}

void TextProgressBar::drawBar(QPainter &painter, const QRect &inner, const QRect &bar) const
{
    // The picture is laid over the whole inner rectangle so it does not slide
    // as the bar grows; the clip shows the bar's part of it.
    if (m_barPicture.isNull())
        painter.fillRect(bar, resolved(m_barColor));
    else
        paintPicture(painter, inner, m_barPicture, m_barPictureMode);
    if (!m_segments)
        return;
    const QColor gap = resolved(m_backColor);
    for (const QRect &separator : separatorRects(rect(), inner, bar))
        painter.fillRect(separator, gap);
}

void TextProgressBar::drawText(QPainter &painter, const QRect &inner, ControlColor color) const
{
    painter.setFont(font());
    painter.setPen(resolved(color));
    painter.setBackgroundMode(Qt::TransparentMode);
    const Qt::Alignment alignment = textAlignment(m_textAlignX, m_textAlignY);
    painter.drawText(inner, int(alignment) | Qt::TextSingleLine, QLatin1Char(' ') + m_text + QLatin1Char(' '));
}

void TextProgressBar::drawBorder(QPainter &painter, const QRect &client) const
{
    for (const BorderLine &line : borderLines(client, m_appearance, m_borderStyle))
        painter.fillRect(line.rect, resolved(line.color));
}

QColor TextProgressBar::resolved(ControlColor color) const
{
    return color.resolved(palette());
}
