// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the progress bar drawn into pictures and read back pixel by pixel, and its saved design.
#include "controls/textprogressbar.h"
#include "pixelrows.h"

#include <QPainter>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QStringList designNames = {
    "Picture",    "BackColor",    "ForeColor",  "Appearance",     "BorderStyle",
    "BarColor",   "BarForeColor", "BarPicture", "BarPictureMode", "BackPictureMode",
    "Min",        "Max",          "Value",      "ShowText",       "TextAlignX",
    "TextAlignY", "Text",         "Font",       "Segments",
};

// Distinct shades for every role the control draws with, so a border line
// or a background reads back as the role it came from.
QPalette testPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xc8c8c8));
    palette.setColor(QPalette::Dark, QColor(0x808080));
    palette.setColor(QPalette::Light, QColor(0xf8f8f8));
    palette.setColor(QPalette::Shadow, QColor(0x303030));
    palette.setColor(QPalette::Midlight, QColor(0xe0e0e0));
    palette.setColor(QPalette::WindowText, QColor(0xc00000));
    return palette;
}

ColorNames colorNames()
{
    return {
        {0xffc8c8c8, '.'}, {0xff808080, 'd'}, {0xfff8f8f8, 'l'}, {0xff303030, 's'}, {0xffe0e0e0, 'm'},
        {0xff000000, 'k'}, {0xff000080, 'B'}, {0xffc00000, 'F'}, {0xffffffff, 'W'}, {0xffff0000, '1'},
        {0xff00ff00, '2'}, {0xff0000ff, '3'}, {0xffffff00, '4'},
    };
}

// 20 by 20, four 10 by 10 quadrants: 1 2 over 3 4.
QPixmap quadrants()
{
    QImage image(20, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 10, 10, QColor(0xff0000));
    painter.fillRect(10, 0, 10, 10, QColor(0x00ff00));
    painter.fillRect(0, 10, 10, 10, QColor(0x0000ff));
    painter.fillRect(10, 10, 10, 10, QColor(0xffff00));
    painter.end();
    return QPixmap::fromImage(image);
}

QFont crispFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

std::unique_ptr<TextProgressBar> makeBar(QSize size)
{
    auto bar = std::make_unique<TextProgressBar>();
    bar->setPalette(testPalette());
    bar->resize(size);
    return bar;
}

QImage render(TextProgressBar &bar)
{
    return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A value other than the default for each design property, in design order.
QVariantList otherValues()
{
    const auto color = [](quint32 code) { return QVariant::fromValue(ControlColor::fromCode(code)); };
    QPixmap bar = quadrants().transformed(QTransform().rotate(90));
    return {
        quadrants(),
        color(0x123456),
        color(0x80000012),
        2,
        2,
        color(0x80000013),
        color(0x00ff00),
        bar,
        0,
        0,
        -10,
        250,
        77,
        true,
        2,
        0,
        QStringLiteral("12 Est. files"),
        QFont(QStringLiteral("DejaVu Serif"), 17, QFont::Bold),
        true,
    };
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.metaType() == QMetaType::fromType<QPixmap>())
        return a.value<QPixmap>().toImage() == b.value<QPixmap>().toImage();
    return a == b;
}

} // namespace

class TestTextProgressBar : public QObject
{
    Q_OBJECT

private slots:
    // Design properties set by name ("quadrants" the test picture), then lines of the picture read
    // back as runs: "y10" row 10 from the left, "x5" column 5 from the top; "|" between the lines.
    void drawing_data()
    {
        // clang-format off
        QTest::addColumn<QString>("properties");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("runs");
        const QSize wide(200, 20), tall(20, 200);
        const QString blocks = "d1 " + QStringLiteral("B8 .2 ").repeated(8) + "B8 .110 l1|d1 B18 l1";
        // The bar runs the inner rectangle's full breadth, as the separators do.
        QTest::newRow("45: 1 + 0.45 x 198 = 90.1 ends at 90") << "Value=45" << wide << "y10 x5"
                                                              << "d1 B89 .109 l1|d1 B18 l1";
        QTest::newRow("46 ends at 92") << "Value=46" << wide << "y10 x5" << "d1 B91 .107 l1|d1 B18 l1";
        QTest::newRow("45 with segments stays at 90") << "Value=45 Segments=1" << wide << "y10 x5" << blocks;
        QTest::newRow("46 with segments drops to 90") << "Value=46 Segments=1" << wide << "y10 x5" << blocks;
        QTest::newRow("above max is full") << "Value=150" << wide << "y10 x5" << "d1 B198 l1|d1 B18 l1";
        QTest::newRow("below min is empty") << "Value=-5" << wide << "y10 x5" << "d1 .198 l1|d1 .18 l1";
        QTest::newRow("segments never go left of the bar") << "Value=2 Segments=1" << wide << "y10" << "d1 .198 l1";
        QTest::newRow("max equal to min, value above") << "Min=50 Max=50 Value=80 Segments=1" << wide << "y10"
                                                       << "d1 .198 l1";
        QTest::newRow("reversed range, 75%: 149.5 ends at 150") << "Min=100 Max=0 Value=25" << wide << "y10"
                                                                << "d1 B149 .49 l1";
        QTest::newRow("extremes do not overflow") << "Min=-2147483648 Max=2147483647 Value=0" << wide << "y10"
                                                  << "d1 B99 .99 l1";
        QTest::newRow("upright 45: top at 1 + 0.55 x 198 = 109.9, rounded to 110") << "Value=45" << tall << "x10 y150"
                                                                                   << "d1 .109 B89 l1|d1 B18 l1";
        QTest::newRow("upright segments raise 44 (top 112) to 110") << "Value=44 Segments=1" << tall << "x10"
            << "d1 .109 " + QStringLiteral("B8 .2 ").repeated(8) + "B8 .1 l1";
        QTest::newRow("upright segments raise an empty bar to a block") << "Value=0 Segments=1" << tall << "x10"
                                                                        << "d1 .189 B8 .1 l1";
        // Borders, on a full bar that shows the inner rectangle.
        QTest::newRow("thin sunken") << "Value=100" << wide << "x100 y10" << "d1 B18 l1|d1 B198 l1";
        QTest::newRow("thin raised, on the inner rectangle") << "BorderStyle=2 Value=100" << wide << "x100 y10"
                                                             << ".1 l1 B16 d1 .1|.1 l1 B196 d1 .1";
        QTest::newRow("flat") << "Appearance=0 BorderStyle=2 Value=100" << wide << "x100 y10" << "k1 B18 k1|k1 B198 k1";
        QTest::newRow("thick sunken") << "Appearance=2 Value=100" << wide << "x100 y10"
                                      << "s1 d1 B16 m1 l1|s1 d1 B196 m1 l1";
        QTest::newRow("thick raised") << "Appearance=2 BorderStyle=2 Value=100" << wide << "x100 y10"
                                      << "l1 m1 B16 d1 s1|l1 m1 B196 d1 s1";
        QTest::newRow("no border") << "Appearance=2 BorderStyle=0 Value=100" << wide << "x100 y10" << "B20|B200";
        QTest::newRow("unknown appearance") << "Appearance=5 Value=100" << wide << "x100 y10" << ".1 B18 .1|.1 B198 .1";
        QTest::newRow("unknown style") << "BorderStyle=3 Value=100" << wide << "x100 y10" << ".1 B18 .1|.1 B198 .1";
        // Backgrounds fill the control from its corner; bar pictures lie over the inner rectangle, from (1, 1).
        QTest::newRow("back tiled") << "Picture=quadrants BackPictureMode=1" << wide << "y15"
                                    << "d1 39 " + QStringLiteral("410 310 ").repeated(9) + "49 l1";
        QTest::newRow("back stretched") << "Picture=quadrants BackPictureMode=0" << wide << "y5" << "d1 194 ?10 294 l1";
        QTest::newRow("back: any mode but 1 stretches") << "Picture=quadrants BackPictureMode=2" << wide << "y15"
                                                        << "d1 394 ?10 494 l1";
        QTest::newRow("bar tiled from the inner corner")
            << "BarPicture=quadrants BarPictureMode=1 Value=100" << wide << "y16"
            << "d1 " + QStringLiteral("310 410 ").repeated(9) + "310 48 l1";
        QTest::newRow("bar stretched") << "BarPicture=quadrants BarPictureMode=0 Value=100" << wide << "y4"
                                       << "d1 194 ?10 294 l1";
        QTest::newRow("half bar keeps the whole picture's scale")
            << "BarPicture=quadrants BarPictureMode=0 Value=50" << wide << "y4" << "d1 194 ?5 .99 l1";
        // clang-format on
    }
    void drawing()
    {
        QFETCH(QString, properties);
        QFETCH(QSize, size);
        QFETCH(QString, lines);
        auto bar = makeBar(size);
        for (const QString &property : properties.split(u' ')) {
            const QString value = property.section(u'=', 1);
            const QByteArray name = property.section(u'=', 0, 0).toLatin1();
            QVERIFY2(value == u"quadrants" ? bar->setProperty(name, quadrants()) : bar->setProperty(name, value), name);
        }
        const QImage image = render(*bar);
        QStringList runs;
        for (const QString &line : lines.split(u' ')) {
            const int at = line.mid(1).toInt();
            runs << (line.startsWith(u'y') ? rowRuns(image, at, colorNames()) : columnRuns(image, at, colorNames()));
        }
        QTEST(runs.join(u'|'), "runs");
    }

    void text_data()
    {
        // clang-format off
        QTest::addColumn<bool>("show");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("onBar"); // the letters over the bar, which ends at 90, and off it
        QTest::addColumn<QString>("offBar");
        // Default colours: window text (red in the test palette) off the bar, white on it.
        QTest::newRow("shown in two colours") << true << "45%" << "BW" << ".F";
        QTest::newRow("hidden") << false << "45%" << "B" << ".";
        QTest::newRow("empty") << true << "" << "B" << ".";
        // clang-format on
    }
    void text()
    {
        QFETCH(bool, show);
        QFETCH(QString, text);
        auto bar = makeBar({200, 20});
        bar->setFont(crispFont());
        bar->setShowText(show);
        bar->setText(text);
        bar->setValue(45);
        const QImage image = render(*bar);
        QTEST(lettersIn(image, QRect(1, 1, 89, 18), colorNames()), "onBar");
        // Centred text straddles the bar's end at 90: one run of glyphs cut into both colours.
        QTEST(lettersIn(image, QRect(90, 1, 109, 18), colorNames()), "offBar");
    }

    void colours_data()
    {
        // clang-format off
        QTest::addColumn<quint32>("code");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("repainted"); // after the palette's button colour turned black
        QTest::newRow("button face follows the palette") << 0x8000000Fu << ".40" << "k40";
        QTest::newRow("window text") << 0x80000008u << "F40" << "F40";
        QTest::newRow("only the low five bits name it") << 0x8000002Fu << ".40" << "k40";
        QTest::newRow("plain RGB stays") << 0x00ffff00u << "440" << "440";
        // clang-format on
    }
    void colours()
    {
        QFETCH(quint32, code);
        auto bar = makeBar({40, 10});
        bar->setBorderStyle(0);
        bar->setBackColor(ControlColor::fromCode(code));
        QTEST(rowRuns(render(*bar), 5, colorNames()), "row");
        QPalette palette = testPalette();
        palette.setColor(QPalette::Button, Qt::black);
        bar->setPalette(palette);
        QTEST(rowRuns(render(*bar), 5, colorNames()), "repainted");
    }

    void smallerAfterLarger()
    {
        // The buffer keeps its larger surface; only the control's own part is shown.
        auto bar = makeBar({100, 20});
        render(*bar);
        bar->resize(50, 10);
        const QImage smaller = render(*bar);
        QCOMPARE(smaller.size(), QSize(50, 10));
        QCOMPARE(rowRuns(smaller, 5, colorNames()), "d1 .48 l1");
    }

    void saveAndLoad()
    {
        // Every setter announces its change under the name the saved design uses.
        TextProgressBar original;
        original.resize(200, 20);
        QSignalSpy spy(&original, &TextProgressBar::propertyChanged);
        const QVariantList values = otherValues();
        for (qsizetype i = 0; i < designNames.size(); ++i)
            original.setProperty(qPrintable(designNames[i]), values[i]);
        QStringList announced;
        for (const QList<QVariant> &signal : spy)
            announced << signal.at(0).toString();
        QCOMPARE(announced, designNames);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("design.ini"));
        original.save(*std::make_unique<QSettings>(path, QSettings::IniFormat));
        const QSettings settings(path, QSettings::IniFormat);
        QStringList keys = settings.childKeys();
        QStringList expected = designNames;
        keys.sort();
        expected.sort();
        QCOMPARE(keys, expected);
        TextProgressBar loaded;
        loaded.resize(200, 20);
        loaded.load(settings);
        for (qsizetype i = 0; i < designNames.size(); ++i)
            QVERIFY2(sameValue(loaded.property(qPrintable(designNames[i])), values[i]), qPrintable(designNames[i]));
        QCOMPARE(render(loaded), render(original));

        // Missing and unreadable values give the defaults.
        QSettings garbage(dir.filePath(QStringLiteral("garbage.ini")), QSettings::IniFormat);
        garbage.setValue(QStringLiteral("Value"), QStringLiteral("lots"));
        garbage.setValue(QStringLiteral("BarColor"), QStringLiteral("navy-ish"));
        garbage.setValue(QStringLiteral("Picture"), QByteArray("not a picture"));
        loaded.load(garbage);
        const TextProgressBar fresh;
        for (const QString &name : designNames)
            QVERIFY2(sameValue(loaded.property(qPrintable(name)), fresh.property(qPrintable(name))), qPrintable(name));
    }
};

QTEST_MAIN(TestTextProgressBar)
#include "tst_textprogressbar.moc"
