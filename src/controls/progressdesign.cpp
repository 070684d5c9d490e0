// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the progress bar's design: its properties in stored order with their defaults.
#include "controls/progressdesign.h"

#include "controls/controlcolor.h"

#include <QBuffer>
#include <QFont>
#include <QPixmap>

namespace {

QByteArray pngBytes(const QPixmap &picture)
{
    QByteArray bytes;
    if (picture.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QVariant pictureFromStored(const QVariant &stored, const QVariant &defaultValue)
{
    const QByteArray bytes = stored.toByteArray();
    if (bytes.isEmpty())
        return QVariant::fromValue(QPixmap());
    QPixmap picture;
    if (!picture.loadFromData(bytes))
        return defaultValue;
    return QVariant::fromValue(picture);
}

QVariant colorFromStored(const QVariant &stored, const QVariant &defaultValue)
{
    bool ok = false;
    const quint32 code = stored.toString().toUInt(&ok, 0);
    return ok ? QVariant::fromValue(ControlColor::fromCode(code)) : defaultValue;
}

QVariant fontFromStored(const QVariant &stored, const QVariant &defaultValue)
{
    QFont font;
    return font.fromString(stored.toString()) ? QVariant::fromValue(font) : defaultValue;
}

} // namespace

QList<DesignProperty> progressBarDesign()
{
    using C = ControlColor;
    const auto color = [](ControlColor c) { return QVariant::fromValue(c); };
    return {
        {"Picture", QVariant::fromValue(QPixmap())},
        {"BackColor", color(C::system(C::ButtonFace))},
        {"ForeColor", color(C::system(C::WindowText))},
        {"Appearance", 1},
        {"BorderStyle", 1},
        {"BarColor", color(QColor(0, 0, 128))},
        {"BarForeColor", color(Qt::white)},
        {"BarPicture", QVariant::fromValue(QPixmap())},
        {"BarPictureMode", 1},
        {"BackPictureMode", 1},
        {"Min", 0},
        {"Max", 100},
        {"Value", 0},
        {"ShowText", false},
        {"TextAlignX", 1},
        {"TextAlignY", 1},
        {"Text", QString()},
        {"Font", QVariant::fromValue(QFont())},
        {"Segments", false},
    };
}

QVariant toStored(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QPixmap>())
        return pngBytes(value.value<QPixmap>());
    if (value.metaType() == QMetaType::fromType<ControlColor>())
        // Hexadecimal text keeps a system code readable and clear of sign trouble.
        return QStringLiteral("0x%1").arg(value.value<ControlColor>().code(), 8, 16, QLatin1Char('0'));
    if (value.metaType() == QMetaType::fromType<QFont>())
        return value.value<QFont>().toString();
    return value;
}

QVariant fromStored(const QVariant &stored, const QVariant &defaultValue)
{
    if (!stored.isValid())
        return defaultValue;
    const QMetaType type = defaultValue.metaType();
    if (type == QMetaType::fromType<QPixmap>())
        return pictureFromStored(stored, defaultValue);
    if (type == QMetaType::fromType<ControlColor>())
        return colorFromStored(stored, defaultValue);
    if (type == QMetaType::fromType<QFont>())
        return fontFromStored(stored, defaultValue);
    QVariant value = stored;
    return value.convert(type) ? value : defaultValue;
}
