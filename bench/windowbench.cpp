// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — window benchmark: drops on the real main window, and Pack It from it.
//
//   windowbench drop DATA_FOLDER WORK_FOLDER
//       drops 10,000 files, then a folder of 50,000 small files, on the window
//       as a file manager does; for each prints the time to the finished
//       totals, the longest gap between the window's paints (it asks for one
//       every 10 ms) and the longest gap between 1 ms timer beats.
//   windowbench pack DATA_FOLDER SCRIPT BASE
//       opens the script in the window and presses Pack It, the base name
//       typed into the dialog; prints the seconds from the press to the end.
#include "filedrop.h"
#include "queueview/queuedroptarget.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>
#include <QTimer>

namespace {

// Every question answered OK or Yes, and told on standard error.
class BenchWindow : public MainWindow
{
public:
    Message::Answer ask(const Message &message) override
    {
        QTextStream(stderr) << "windowbench: " << message.title << ": " << message.text << Qt::endl;
        return message.buttons == Message::Buttons::Ok ? Message::Answer::Ok : Message::Answer::Yes;
    }
};

// The longest time between two events of one kind, measured while it runs.
class GapWatch : public QObject
{
public:
    explicit GapWatch(QEvent::Type type)
        : m_type(type)
    {
    }
    void restart()
    {
        m_longest = 0;
        m_since.start();
    }
    void beat() { m_longest = std::max(m_longest, m_since.restart()); }
    qint64 longest() const { return std::max(m_longest, m_since.elapsed()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type)
            beat();
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

QStringList makeFiles(const QString &folder, int count)
{
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/f%1.txt").arg(i));
        if (file.open(QIODevice::WriteOnly))
            file.write("small file\n");
        paths << file.fileName();
    }
    return paths;
}

void measureDrop(BenchWindow &window, const char *what, const QStringList &paths)
{
    window.clearQueue();
    QWidget *client = window.centralWidget();
    GapWatch paints(QEvent::Paint);
    GapWatch beats(QEvent::Timer);
    client->installEventFilter(&paints);
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, client, qOverload<>(&QWidget::update));
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&beats] { beats.beat(); });
    repaint.start(10);
    ticker.start(1);

    QElapsedTimer total;
    total.start();
    paints.restart();
    beats.restart();
    QEventLoop loop;
    QObject::connect(window.dropTarget(), &QueueDropTarget::dropFinished, &loop, &QEventLoop::quit);
    dropOn(window, paths);
    if (window.dropTarget()->isBusy())
        loop.exec();
    const qint64 finished = total.elapsed();
    client->removeEventFilter(&paints);
    QTextStream(stdout) << what << ": " << window.queue().rowCount() << " rows, totals \""
                        << window.findChild<QLabel *>(QStringLiteral("totalsPanel"))->text() << "\" after " << finished
                        << " ms; longest without a paint " << paints.longest() << " ms, without a timer beat "
                        << beats.longest() << " ms\n";
}

int drop(BenchWindow &window, const QString &work)
{
    measureDrop(window, "10,000 files", makeFiles(work + QStringLiteral("/many"), 10000));
    makeFiles(work + QStringLiteral("/tree/a"), 25000);
    makeFiles(work + QStringLiteral("/tree/b"), 25000);
    measureDrop(window, "a folder of 50,000 files", {work + QStringLiteral("/tree")});
    return 0;
}

int pack(BenchWindow &window, const QString &script, const QString &base)
{
    if (!window.scripts().open(script))
        return 1;
    // The base-name dialog gets the name and Enter as soon as it shows.
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&base] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog && dialog->objectName() == u"Form3") {
            QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Text1")), base);
            QTest::keyClick(dialog, Qt::Key_Return);
        }
    });
    typist.start(5);
    QElapsedTimer clock;
    clock.start();
    window.action(QStringLiteral("toolbar_varko"))->trigger();
    QTextStream(stdout) << QString::number(double(clock.elapsed()) / 1000.0, 'f', 2) << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4 || (args[1] != u"drop" && args[1] != u"pack")) {
        QTextStream(stderr) << "usage: windowbench drop DATA WORK | pack DATA SCRIPT BASE\n";
        return 2;
    }
    BenchWindow window;
    window.start({args[2], {}, {15360, 11520}});
    QTest::qWait(200); // the browser's first folder read settles
    return args[1] == u"drop" ? drop(window, args[3]) : pack(window, args[3], args.value(4));
}
