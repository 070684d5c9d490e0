// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the browser's file work: paste, the clipboard's forms and the templates.
#include "browser/browserclipboard.h"
#include "browser/browserpaste.h"
#include "browser/browsertemplates.h"
#include "testfiles.h"

#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>
#include <sys/resource.h>

class TestBrowserFiles : public QObject
{
    Q_OBJECT

private slots:
    void paste_data()
    {
        QTest::addColumn<bool>("move");
        QTest::addColumn<QStringList>("targetBefore");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("targetAfter");
        QTest::addColumn<QStringList>("sourceAfter");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("failures");
        const QStringList all{"a.txt=alpha", "sub/", "sub/b.bin=beta", "sub/deep/", "sub/deep/c=gamma"};
        const QStringList subOnly{"sub/", "sub/b.bin=beta", "sub/deep/", "sub/deep/c=gamma"};
        QTest::newRow("copy, overwrite refused")
            << false << QStringList{"a.txt=old"} << "no" << (QStringList{"a.txt=old"} + subOnly) << all << "a.txt" << 0;
        QTest::newRow("move, overwrite refused: the source stays")
            << true << QStringList{"a.txt=old"} << "no" << (QStringList{"a.txt=old"} + subOnly)
            << QStringList{"a.txt=alpha"} << "a.txt" << 0;
        QTest::newRow("move, overwrite accepted")
            << true << QStringList{"a.txt=old"} << "yes" << all << QStringList() << "a.txt" << 0;
        QTest::newRow("cancel stops everything after it")
            << true << QStringList{"a.txt=old"} << "cancel" << QStringList{"a.txt=old"} << all << "a.txt" << 0;
        QTest::newRow("folders merge; a clash inside is asked")
            << true << QStringList{"sub/b.bin=old", "sub/keep=kept"} << "yes"
            << QStringList{"a.txt=alpha", "sub/", "sub/b.bin=beta", "sub/deep/", "sub/deep/c=gamma", "sub/keep=kept"}
            << QStringList() << "b.bin" << 0;
        QTest::newRow("a file in a folder's way is reported, the folder kept")
            << true << QStringList{"sub=file"} << "" << QStringList{"a.txt=alpha", "sub=file"} << subOnly << "" << 1;
    }
    void paste()
    {
        QFETCH(bool, move);
        QFETCH(QStringList, targetBefore);
        QFETCH(QString, answers);
        QTemporaryDir source, target;
        writeTree(source.path(), {"a.txt=alpha", "sub/b.bin=beta", "sub/deep/c=gamma"});
        writeTree(target.path(), targetBefore);
        QStringList replies = answers.split(QLatin1Char(','), Qt::SkipEmptyParts);
        QStringList asked;
        BrowserPaste paste([&](const QString &name) {
            asked << name;
            const QString reply = replies.takeFirst();
            return reply == "yes" ? BrowserPaste::Answer::Yes
                : reply == "no"   ? BrowserPaste::Answer::No
                                  : BrowserPaste::Answer::Cancel;
        });
        paste.run({source.filePath("a.txt"), source.filePath("sub")}, target.path(), move);
        QTEST(readTree(target.path()), "targetAfter");
        QTEST(readTree(source.path()), "sourceAfter");
        QTEST(asked.join(','), "asked");
        QTEST(int(paste.failures().size()), "failures");
    }

    void copyIntoItsOwnFolderMakesACopy()
    {
        QTemporaryDir folder;
        writeTree(folder.path(), {"a.txt=alpha", "Copy of a.txt=older copy"});
        BrowserPaste paste([](const QString &) { return BrowserPaste::Answer::Cancel; });
        paste.run({folder.filePath("a.txt")}, folder.path(), false);
        paste.run({folder.filePath("a.txt")}, folder.path(), true);
        QCOMPARE(readTree(folder.path()),
                 QStringList({"Copy of a.txt (2)=alpha", "Copy of a.txt=older copy", "a.txt=alpha"}));
    }

    void clipboardWrite_data()
    {
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QByteArray>("gnome");
        QTest::addColumn<QByteArray>("kde");
        QTest::newRow("copy") << false << QByteArray("copy\nfile:///rel/a%20b.nfo\nfile:///rel/c") << QByteArray();
        QTest::newRow("cut") << true << QByteArray("cut\nfile:///rel/a%20b.nfo\nfile:///rel/c") << QByteArray("1");
    }
    void clipboardWrite()
    {
        QFETCH(bool, cut);
        const std::unique_ptr<QMimeData> data(fileClipboardData({"/rel/a b.nfo", "/rel/c"}, cut));
        QCOMPARE(data->data("text/uri-list"), QByteArray("file:///rel/a%20b.nfo\r\nfile:///rel/c\r\n"));
        QTEST(data->data("x-special/gnome-copied-files"), "gnome");
        QTEST(data->data("application/x-kde-cutselection"), "kde");
    }

    void clipboardRead_data()
    {
        QTest::addColumn<bool>("uriList");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<bool>("cut");
        QTest::newRow("GNOME cut, no uri list")
            << false << "x-special/gnome-copied-files" << QByteArray("cut\nfile:///rel/a\nfile:///rel/b")
            << QStringList{"/rel/a", "/rel/b"} << true;
        QTest::newRow("GNOME cut as plain text")
            << false << "text/plain" << QByteArray("x-special/nautilus-clipboard\ncut\nfile:///rel/n\n")
            << QStringList{"/rel/n"} << true;
        QTest::newRow("KDE cut") << true << "application/x-kde-cutselection" << QByteArray("1") << QStringList{"/rel/u"}
                                 << true;
        QTest::newRow("a plain uri list copies")
            << true << "text/plain" << QByteArray("x") << QStringList{"/rel/u"} << false;
    }
    void clipboardRead()
    {
        QFETCH(bool, uriList);
        QFETCH(QString, format);
        QFETCH(QByteArray, bytes);
        QMimeData data;
        if (uriList)
            data.setUrls({QUrl::fromLocalFile("/rel/u"), QUrl("https://example.org/not-a-file")});
        data.setData(format, bytes);
        const ClipboardFiles files = clipboardFiles(&data);
        QTEST(files.paths, "paths");
        QTEST(files.cut, "cut");
    }

    void templates_data()
    {
        QTest::addColumn<bool>("diz");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<int>("maxWidth");
        QTest::newRow("diz") << true << "New file_id.diz" << QByteArray("                         xx/xx") << 10 << 45;
        QTest::newRow("nfo") << false << "New about.nfo"
                             << QByteArray("==============================================================") << 80
                             << 80;
    }
    void templates()
    {
        QFETCH(bool, diz);
        const ReleaseTemplate kind = diz ? ReleaseTemplate::Diz : ReleaseTemplate::Nfo;
        QFETCH(int, maxLines);
        QFETCH(int, maxWidth);
        QTemporaryDir folder;
        writeTree(folder.path(), {templateFileName(kind) + "=an edited file, replaced without asking"});
        const QString path = writeTemplate(folder.path(), kind);
        QTEST(QFileInfo(path).fileName(), "name");
        const QByteArray bytes = readFile(path);
        QVERIFY(!bytes.endsWith('\n'));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        const QByteArrayList lines = bytes.split('\n');
        QTEST(lines.first().chopped(1), "firstLine");
        QVERIFY(lines.size() <= maxLines);
        for (const QByteArray &line : lines)
            QVERIFY2(line.size() - line.endsWith('\r') <= maxWidth, line.constData());
    }

    void aFullDiskLosesNothing()
    {
        QTemporaryDir source, target;
        writeTree(source.path(), {"a.txt=alpha"});
        writeTree(target.path(), {"a.txt=old"});
        BrowserPaste paste([](const QString &) { return BrowserPaste::Answer::Yes; });
        // A file size limit fails the write as a full disk does, past its first bytes.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit before = limit;
        limit.rlim_cur = 3;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        paste.run({source.filePath("a.txt")}, target.path(), false);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &before), 0);
        QCOMPARE(readTree(target.path()), QStringList{"a.txt=old"});
        QCOMPARE(readTree(source.path()), QStringList{"a.txt=alpha"});
        QCOMPARE(paste.failures().size(), 1);
        QVERIFY(paste.failures().first().startsWith(source.filePath("a.txt") + ": "));
    }
};

QTEST_GUILESS_MAIN(TestBrowserFiles)
#include "tst_browserfiles.moc"
