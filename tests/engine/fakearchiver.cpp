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
// Each volume holds "volume I of N" and the list file's text. The arguments
// are appended, one per line, to the file VARKO_FAKE_ARCHIVER_LOG when set.
#include "engine/volumenames.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <csignal>
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
    bool killed = false, wait = false;
    for (const QString &word : words) {
        killed = killed || word == u"killed";
        wait = wait || word == u"wait";
        if (word == u"crash")
            std::raise(SIGKILL);
        if (word == u"none")
            volumes = 0;
        if (word.startsWith(QStringLiteral("volumes=")))
            volumes = word.mid(8).toInt();
        if (word.startsWith(QStringLiteral("exit=")))
            exitCode = word.mid(5).toInt();
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
    for (int i = 1; i <= volumes; ++i) {
        // Named as the engine's tested naming predicts them.
        QFile volume(VolumeNames(rar, archive.endsWith(QStringLiteral(".001")), 1, volumes)
                         .volumeName(archive.left(archive.lastIndexOf(u'.')), i));
        if (!volume.open(QIODevice::WriteOnly))
            return 2;
        volume.write(QStringLiteral("volume %1 of %2\n").arg(i).arg(volumes).toUtf8() + listed);
    }
    if (killed)
        std::raise(SIGKILL);
    if (wait) {
        logArguments({QStringLiteral("pid %1").arg(QCoreApplication::applicationPid())});
        for (;;)
            ::pause();
    }
    return exitCode;
}
