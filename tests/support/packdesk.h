// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one user's folders for a child `varko2000 --pack`, as a user runs it.
#pragma once

#include "store/ripscript.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

/** The program beside an archiver in bin/, a data folder home/, a temporary folder tmp/, a rip-to folder rips/. */
class PackDesk
{
public:
    /** `archiver`: an executable of the build folder, linked beside the program as `as`. */
    PackDesk(const QString &archiver, const QString &as)
    {
        for (const char *folder : {"bin", "home", "tmp", "rips"})
            QDir(dir.path()).mkdir(QString::fromLatin1(folder));
        // The program looks for the archivers in its own folder first.
        const QString bin = QCoreApplication::applicationDirPath();
        QFile::copy(bin + QStringLiteral("/varko2000"), path("bin/varko2000"));
        QFile::link(bin + u'/' + archiver, path(QStringLiteral("bin/") + as));
        settings.tdrive = path("tmp");
        settings.riptodir = path("rips/");
        settings.dnumber = 1;
        settings.rarace = as == u"wace" ? 0 : 1;
    }

    QString path(const QString &relative) const { return dir.filePath(relative); }
    QStringList files(const QString &folder) const
    {
        return QDir(path(folder)).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }

    /** Starts the program headless on the script S, written from `settings` and `rows` unless it exists. */
    void start(const QStringList &arguments, const QByteArray &fake = {})
    {
        if (!QFileInfo::exists(path("S")))
            writeScript(path("S"), settings, rows);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VARKO_HOME"), path("home"));
        environment.insert(QStringLiteral("VARKO_FAKE_ARCHIVER"), QString::fromUtf8(fake));
        environment.insert(QStringLiteral("VARKO_FAKE_ARCHIVER_LOG"), path("archiver.log"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(dir.path());
        program.start(path("bin/varko2000"), arguments);
    }

    /** Waits for the program's end; what it said on standard error. */
    QString finish()
    {
        program.waitForFinished(120000);
        return QString::fromUtf8(program.readAllStandardError());
    }

    QTemporaryDir dir;
    RipSettings settings;
    QStringList rows;
    QProcess program;
};
