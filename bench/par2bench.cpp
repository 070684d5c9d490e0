// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — PAR 2.0 creation over a list of files, timed, with the run's peak memory.
#include "par2/par2writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool ok = args.size() >= 5 && args[0] == QLatin1String("create");
    Par2Options options;
    options.percent = ok ? args[2].toInt(&ok) : 0;
    options.sliceSize = ok ? args[3].toULongLong(&ok) : 0;
    if (!ok) {
        std::fprintf(stderr, "usage: par2bench create BASE PERCENT SLICESIZE FILES...\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const Par2WriteResult written = writePar2(args.mid(4), args[1], options);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!written.error.isEmpty()) {
        std::fprintf(stderr, "par2bench: %s\n", qPrintable(written.error));
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f %ld\n", seconds, usage.ru_maxrss); // seconds, peak resident KB
    return 0;
}
