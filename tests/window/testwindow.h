// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a main window whose message boxes are recorded instead of shown.
#pragma once

#include "testfiles.h"
#include "window/mainwindow.h"

#include <QDir>
#include <QFile>

/** Records every message box; start-up runs against a given data folder and screen. */
class TestWindow : public MainWindow
{
public:
    QStringList messages; ///< "title|text"
    Message::Answer answer = Message::Answer::Ok; ///< what a question is answered
    QString scriptPath; ///< what the open and save dialogs return

    void startIn(const QString &dataFolder, const QString &script = {}, ScreenTwips screen = {15360, 11520})
    {
        start({dataFolder, script, screen});
    }

    Message::Answer ask(const Message &message) override
    {
        messages << message.title + u'|' + message.text;
        return message.buttons == Message::Buttons::Ok ? Message::Answer::Ok : answer;
    }

protected:
    QString askScriptPath(bool) override { return scriptPath; }
};

inline QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

/** Keeps the recent list and leftover folders of a test inside its own folder. */
inline void isolateUserFolders(const QString &root)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("TMPDIR", QFile::encodeName(root + QStringLiteral("/tmp")));
    QDir().mkpath(root + QStringLiteral("/tmp"));
}
