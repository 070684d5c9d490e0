// Varko 2000 — drop benchmark: 10,000 files, then a folder of 50,000 small files.
// Prints the time to the finished totals and the longest the event loop went
// without a turn (the window cannot paint longer than that).
#include "engine/dropreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

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

void measure(const char *what, const QStringList &paths)
{
    Queue queue;
    RipSettings settings;
    DropReader reader(queue, settings);
    QEventLoop loop;
    QObject::connect(&reader, &DropReader::dropFinished, &loop, &QEventLoop::quit);

    QElapsedTimer sinceTurn;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTurn.restart());
    });
    ticker.start(1);

    QElapsedTimer total;
    total.start();
    sinceTurn.start();
    reader.drop(paths);
    if (reader.isBusy())
        loop.exec();
    longestGap = std::max(longestGap, sinceTurn.elapsed());
    QTextStream(stdout) << what << ": " << queue.rowCount() << " rows, " << qint64(queue.totals().totalKB)
                        << " KB, finished totals after " << total.elapsed() << " ms, longest event-loop gap "
                        << longestGap << " ms\n";
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    measure("10,000 files", makeFiles(dir.filePath(QStringLiteral("many")), 10000));
    makeFiles(dir.filePath(QStringLiteral("tree/a")), 25000);
    makeFiles(dir.filePath(QStringLiteral("tree/b")), 25000);
    measure("a folder of 50,000 files", {dir.filePath(QStringLiteral("tree"))});
    return 0;
}
