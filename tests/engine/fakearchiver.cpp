// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a stand-in archiver for the rip run's tests.
//
// Called as `wrar` or `wace` (through a link), it behaves as the environment
// variable VARKO_FAKE_ARCHIVER says, a list of words:
//   volumes=N   write N volumes named from the archive argument (default 1)
//   exit=C      end with status C (default 0)
//   crash       die from a signal before writing anything
//   none        write nothing
//   killed      write the volumes, then die from a signal
//   wait        write the volumes, log "pid N", then wait to be stopped
//   says=N      print "Volumes: N" before the first volume, as the archivers do
//   chatty      print "Creating ARCHIVE" first, as other archivers do
//   pause=MS    wait MS milliseconds after each volume, as a real archiver takes its time
//   again=I     after the last volume, write volume I anew, as an archiver going back to it
// Each volume holds "volume I of N" and the list file's text. The arguments
// are appended, one per line, to the file VARKO_FAKE_ARCHIVER_LOG when set.
#include "engine/volumenames.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

void logArguments(const QStringList &arguments)
{
    const QString log = qEnvironmentVariable("VARKO_FAKE_ARCHIVER_LOG");
    QFile file(log);
    if (log.isEmpty() || !file.open(QIODevice::Append))
        return;
    file.write((arguments.join(u'\n') + u'\n').toUtf8());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    logArguments(arguments);
    const QStringList words = qEnvironmentVariable("VARKO_FAKE_ARCHIVER").split(u' ', Qt::SkipEmptyParts);
    int volumes = 1;
    int exitCode = 0;
    int says = 0, pause = 0, again = 0;
    bool chatty = false;
    bool killed = false, wait = false;
    for (const QString &word : words) {
        killed = killed || word == u"killed";
        wait = wait || word == u"wait";
        chatty = chatty || word == u"chatty";
        if (word == u"crash")
            std::raise(SIGKILL);
        if (word == u"none")
            volumes = 0;
        if (word.startsWith(QStringLiteral("volumes=")))
            volumes = word.mid(8).toInt();
        if (word.startsWith(QStringLiteral("exit=")))
            exitCode = word.mid(5).toInt();
        if (word.startsWith(QStringLiteral("says=")))
            says = word.mid(5).toInt();
        if (word.startsWith(QStringLiteral("pause=")))
            pause = word.mid(6).toInt();
        if (word.startsWith(QStringLiteral("again=")))
            again = word.mid(6).toInt();
    }
    QString archive, listFile;
    for (const QString &argument : arguments) {
        if (argument.startsWith(u'@'))
            listFile = argument.mid(1);
        else if (!argument.startsWith(u'-') && argument != u"a")
            archive = argument;
    }
    QFile list(listFile);
    const QByteArray listed = list.open(QIODevice::ReadOnly) ? list.readAll() : QByteArray();
    const bool rar = QFileInfo(app.arguments().first()).fileName() == u"wrar";
    if (chatty)
        std::printf("Creating %s\n", qPrintable(QFileInfo(archive).fileName()));
    if (says > 0) {
        std::printf("Volumes: %d\n", says);
        std::fflush(stdout);
    }
    const VolumeNames names(rar, archive.endsWith(QStringLiteral(".001")), 1, volumes);
    const QString base = archive.left(archive.lastIndexOf(u'.'));
    // Named as the engine's tested naming predicts them.
    const auto write = [&](int i, const QByteArray &note) {
        QFile volume(names.volumeName(base, i));
        return volume.open(QIODevice::WriteOnly)
            && volume.write(QStringLiteral("volume %1 of %2").arg(i).arg(volumes).toUtf8() + note + '\n' + listed) > 0;
    };
    for (int i = 1; i <= volumes; ++i) {
        if (!write(i, {}))
            return 2;
        QThread::msleep(static_cast<unsigned long>(pause));
    }
    if (again > 0 && !write(again, " again"))
        return 2;
    if (killed)
        std::raise(SIGKILL);
    if (wait) {
        logArguments({QStringLiteral("pid %1").arg(QCoreApplication::applicationPid())});
        for (;;)
            ::pause();
    }
    return exitCode;
}
