// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a colour as the progress bar stores it: a system colour code or a plain RGB value.
#pragma once

#include <QColor>
#include <QMetaType>

class QPalette;

/**
 * A colour property's value. A code with the high bit set names one of the
 * system's colours by its low five bits and follows the widget's palette;
 * any other code is a fixed RGB value, 0x00RRGGBB. The code is kept as given,
 * so saving and loading it gives back the same value.
 */
class ControlColor
{
public:
    /** The system colours the control itself draws with, by their index. */
    enum SystemColor : quint8 {
        WindowText = 8,
        ButtonFace = 15,
        ButtonShadow = 16,
        ButtonHighlight = 20,
        DarkShadow = 21,
        LightFace = 22,
    };

    static constexpr quint32 SystemFlag = 0x80000000u;

    /** Black. */
    constexpr ControlColor() = default;
    /** A fixed RGB value; the alpha channel is dropped. */
    ControlColor(const QColor &rgb);
    ControlColor(Qt::GlobalColor rgb);

    /** The system colour with index `index` (only its low five bits count). */
    static constexpr ControlColor system(quint8 index) { return fromCode(SystemFlag | (index & 0x1Fu)); }
    static constexpr ControlColor fromCode(quint32 code)
    {
        ControlColor color;
        color.m_code = code;
        return color;
    }

    constexpr quint32 code() const { return m_code; }
    constexpr bool isSystem() const { return (m_code & SystemFlag) != 0; }

    /** The colour to draw with: a system colour taken from `palette`. */
    QColor resolved(const QPalette &palette) const;

    friend constexpr bool operator==(ControlColor, ControlColor) = default;

private:
    quint32 m_code = 0;
};

Q_DECLARE_METATYPE(ControlColor)
