// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the find dialog: which names a pattern finds, below the folder or only in it.
#include "dialogs/finddialog.h"
#include "testfiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

class TestFindDialog : public QObject
{
    Q_OBJECT

private slots:
    void finds_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("below, any case") << "*.nfo" << true << QStringList{"a.nfo", "sub/B.NFO", "sub/deep/c.nfo"};
        QTest::newRow("only in the folder") << "*.nfo" << false << QStringList{"a.nfo"};
        QTest::newRow("two patterns") << "*.txt; *.nfo" << false << QStringList{"a.nfo", "d.txt"};
        QTest::newRow("folders by name too") << "su?" << true << QStringList{"sub"};
    }
    void finds()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, subfolders);
        QTemporaryDir folder;
        writeTree(folder.path(), {"a.nfo=", "d.txt=", "sub/B.NFO=", "sub/deep/c.nfo="});
        FindDialog dialog(folder.path(), nullptr);
        dialog.setAttribute(Qt::WA_DeleteOnClose, false);
        dialog.findChild<QLineEdit *>("findName")->setText(pattern);
        dialog.findChild<QCheckBox *>("findSubfolders")->setChecked(subfolders);
        dialog.search();
        QStringList found;
        for (const QString &path : dialog.results())
            found << QDir(folder.path()).relativeFilePath(path);
        found.sort();
        QTEST(found, "found");
    }
};

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
