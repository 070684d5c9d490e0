// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — start-up benchmark: one start to a painted window and its shutdown.
//
//   startupbench window|bare
// prints "paint_ms close_ms peak_rss_kb". "window" starts the main window the
// way the program does (state file, options, menus, toolbar); "bare" shows an
// empty QWidget, the floor any Qt program pays.
#include "platform/datafolder.h"
#include "window/mainwindow.h"
#include "window/twipslayout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTextStream>

#include <sys/resource.h>

namespace {

// Notes the first paint of the watched window and stops the event loop.
class PaintWatch : public QObject
{
public:
    qint64 paintedAt = -1;
    const QElapsedTimer *clock = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && paintedAt < 0) {
            paintedAt = clock->elapsed();
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const bool bare = app.arguments().value(1) == u"bare";
    PaintWatch watch;
    watch.clock = &clock;
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->installEventFilter(&watch);
        window->resize(660, 484);
        window->show();
    } else {
        auto main = std::make_unique<MainWindow>();
        main->centralWidget()->installEventFilter(&watch);
        const QSize screen = app.primaryScreen()->size();
        main->start({dataFolder(), QString(), {screen.width() * kTwipsPerPixel, screen.height() * kTwipsPerPixel}});
        window = std::move(main);
    }
    app.exec();
    QElapsedTimer closing;
    closing.start();
    window->close();
    window.reset();
    QTextStream(stdout) << watch.paintedAt << ' ' << closing.elapsed() << ' ' << peakRssKb() << Qt::endl;
    return 0;
}
