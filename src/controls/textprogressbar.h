// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the progress bar control: a bar over a background, with text in two colours.
#pragma once

#include "controls/controlcolor.h"
#include "controls/offscreenbuffer.h"

#include <QPixmap>
#include <QWidget>

class QSettings;

/**
 * A progress bar that fills in proportion to `Value` between `Min` and `Max`
 * and draws a line of text over it: in `ForeColor` where the text lies on the
 * empty part, in `BarForeColor` where it lies on the bar. It draws every
 * picture into an off-screen buffer and copies it in one step, so quick
 * changes of the value do not flicker.
 *
 * The Qt property names are the names a saved design uses. Every setter
 * stores the value, announces the change with `propertyChanged` and redraws;
 * setting the value a property already has does nothing (pictures are always
 * taken anew). `Font` is the widget's own font: `setFont` is QWidget's, and
 * any change of it, also one inherited from the parent, is announced. A `Max`
 * equal to `Min` draws an empty bar.
 */
class TextProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    Q_PROPERTY(ControlColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(ControlColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(int Appearance READ appearance WRITE setAppearance)
    Q_PROPERTY(int BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(ControlColor BarColor READ barColor WRITE setBarColor)
    Q_PROPERTY(ControlColor BarForeColor READ barForeColor WRITE setBarForeColor)
    Q_PROPERTY(QPixmap BarPicture READ barPicture WRITE setBarPicture)
    Q_PROPERTY(int BarPictureMode READ barPictureMode WRITE setBarPictureMode)
    Q_PROPERTY(int BackPictureMode READ backPictureMode WRITE setBackPictureMode)
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(bool ShowText READ showText WRITE setShowText)
    Q_PROPERTY(int TextAlignX READ textAlignX WRITE setTextAlignX)
    Q_PROPERTY(int TextAlignY READ textAlignY WRITE setTextAlignY)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool Segments READ segments WRITE setSegments)
    Q_PROPERTY(double Percent READ percent)

public:
    /** `BackPictureMode` and `BarPictureMode`: 1 tiles; any other value stretches. */
    static constexpr int TilePicture = 1;

    /** A control with every property at its default. */
    explicit TextProgressBar(QWidget *parent = nullptr);

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    ControlColor backColor() const { return m_backColor; }
    void setBackColor(ControlColor color);
    ControlColor foreColor() const { return m_foreColor; }
    void setForeColor(ControlColor color);
    int appearance() const { return m_appearance; }
    void setAppearance(int appearance);
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    ControlColor barColor() const { return m_barColor; }
    void setBarColor(ControlColor color);
    ControlColor barForeColor() const { return m_barForeColor; }
    void setBarForeColor(ControlColor color);
    const QPixmap &barPicture() const { return m_barPicture; }
    void setBarPicture(const QPixmap &picture);
    int barPictureMode() const { return m_barPictureMode; }
    void setBarPictureMode(int mode);
    int backPictureMode() const { return m_backPictureMode; }
    void setBackPictureMode(int mode);
    int min() const { return m_min; }
    void setMin(int min);
    int max() const { return m_max; }
    void setMax(int max);
    int value() const { return m_value; }
    void setValue(int value);
    bool showText() const { return m_showText; }
    void setShowText(bool show);
    /** 0 left, 1 centre, 2 right; any other value left. */
    int textAlignX() const { return m_textAlignX; }
    void setTextAlignX(int align);
    /** 0 top, 1 middle, 2 bottom; any other value top. */
    int textAlignY() const { return m_textAlignY; }
    void setTextAlignY(int align);
    const QString &text() const { return m_text; }
    void setText(const QString &text);
    bool segments() const { return m_segments; }
    void setSegments(bool segments);

    /** How full the bar is, 0 to 100; 0 when `Max` equals `Min`. */
    double percent() const;

    /**
     * Writes every property under its name into the current group of
     * `settings`, in the order of the design: colours as their codes,
     * pictures as PNG bytes (empty for none), the font as its description.
     */
    void save(QSettings &settings) const;
    /** Reads every property by its name; a missing or unreadable one gets its default. */
    void load(const QSettings &settings);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /** A property changed; `name` is its design name ("Value", "Font", ...). */
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    template <typename T> void assign(T &member, const T &value, const char *name);

    void drawControl(QPainter &painter) const;
    void drawBackground(QPainter &painter, const QRect &client) const;
    void drawBar(QPainter &painter, const QRect &inner, const QRect &bar) const;
    void drawText(QPainter &painter, const QRect &inner, ControlColor color) const;
    void drawBorder(QPainter &painter, const QRect &client) const;
    QColor resolved(ControlColor color) const;

    QPixmap m_picture;
    ControlColor m_backColor;
    ControlColor m_foreColor;
    int m_appearance = 0;
    int m_borderStyle = 0;
    ControlColor m_barColor;
    ControlColor m_barForeColor;
    QPixmap m_barPicture;
    int m_barPictureMode = 0;
    int m_backPictureMode = 0;
    int m_min = 0;
    int m_max = 0;
    int m_value = 0;
    bool m_showText = false;
    int m_textAlignX = 0;
    int m_textAlignY = 0;
    QString m_text;
    bool m_segments = false;
    OffscreenBuffer m_buffer;
};
