// Varko 2000 — the off-screen buffer: when it keeps its surface, when it makes a new one, and the copy.
#include "controls/offscreenbuffer.h"

#include <QImage>
#include <QPainter>
#include <QTest>

class TestOffscreenBuffer : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data()
    {
        QTest::addColumn<QSize>("first");
        QTest::addColumn<QSize>("second");
        QTest::addColumn<QSize>("kept");
        QTest::newRow("same size") << QSize(100, 20) << QSize(100, 20) << QSize(100, 20);
        QTest::newRow("smaller keeps the larger") << QSize(100, 20) << QSize(50, 10) << QSize(100, 20);
        QTest::newRow("larger both ways") << QSize(100, 20) << QSize(120, 30) << QSize(120, 30);
        QTest::newRow("wider but lower: exactly what was asked") << QSize(100, 20) << QSize(120, 10) << QSize(120, 10);
    }
    void sizes()
    {
        QFETCH(QSize, first);
        QFETCH(QSize, second);
        OffscreenBuffer buffer;
        QCOMPARE(QSize(buffer.width(), buffer.height()), QSize(0, 0));
        QVERIFY(buffer.surface(first));
        QCOMPARE(QSize(buffer.width(), buffer.height()), first);
        QVERIFY(buffer.surface(second));
        QTEST(QSize(buffer.width(), buffer.height()), "kept");
        buffer.release();
        QCOMPARE(QSize(buffer.width(), buffer.height()), QSize(0, 0));
        QCOMPARE(buffer.surface({0, 20}), nullptr);
    }

    void drawCopiesARectangle()
    {
        OffscreenBuffer buffer;
        {
            QPainter painter(buffer.surface({20, 20}));
            painter.fillRect(0, 0, 20, 20, Qt::blue);
            painter.fillRect(10, 10, 10, 10, Qt::red);
        }
        // A smaller request keeps the surface and what was drawn on it.
        QVERIFY(buffer.surface({15, 15}));
        QImage image(30, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter target(&image);
        buffer.draw(target, {5, 5}, {5, 5}, {10, 10});
        target.end();
        QCOMPARE(image.pixelColor(4, 4), QColor(Qt::white));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(14, 14), QColor(Qt::red));
        QCOMPARE(image.pixelColor(15, 15), QColor(Qt::white));
    }
};

QTEST_MAIN(TestOffscreenBuffer)
#include "tst_offscreenbuffer.moc"
