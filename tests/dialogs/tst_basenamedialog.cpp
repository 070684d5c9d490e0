// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the "File name" dialog: limits, lower-casing, refusal, the ways it closes.
#include "dialogs/basenamedialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestBaseNameDialog : public QObject
{
    Q_OBJECT

private slots:
    void closing_data()
    {
        // clang-format off
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("capitals come out lower case") << 6 << "MYSET1" << "enter" << "myset1" << false;
        QTest::newRow("dash and digits pass") << 6 << "my-set" << "ok" << "my-set" << false;
        QTest::newRow("underscore refused, lowered, stays open") << 6 << "My_Set" << "enter" << "my_set" << true;
        QTest::newRow("blank refused") << 6 << "a b" << "ok" << "a b" << true;
        QTest::newRow("slash refused") << 6 << "../x" << "enter" << "../x" << true;
        QTest::newRow("accented letter refused") << 6 << "café" << "ok" << "café" << true;
        QTest::newRow("six characters at most") << 6 << "abcdefgh" << "enter" << "abcdef" << false;
        QTest::newRow("five in the over-99 state") << 5 << "abcdefgh" << "enter" << "abcde" << false;
        QTest::newRow("twenty for one archive file") << 20 << "abcdefghijklmnopqrstuvwxyz" << "enter"
                                                     << "abcdefghijklmnopqrst" << false;
        QTest::newRow("cancel empties the name") << 6 << "abc" << "cancel" << "" << false;
        QTest::newRow("escape closes with the text as typed") << 6 << "Abc" << "escape" << "Abc" << false;
        QTest::newRow("empty OK is a cancel") << 6 << "" << "enter" << "" << false;
        // clang-format on
    }
    void closing()
    {
        QFETCH(int, limit);
        QFETCH(QString, typed);
        QFETCH(QString, action);
        QFETCH(bool, refused);
        BaseNameDialog dialog(nullptr, limit);
        dialog.show();
        auto *box = dialog.findChild<QLineEdit *>(QStringLiteral("Text1"));
        QVERIFY(box);
        for (const QChar c : typed) // as keys, so the box's own rules apply; not only ASCII
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), c, Qt::NoModifier);

        // Answers the complaint, when one comes, from inside its own event loop.
        QStringList shown;
        QTimer answer;
        answer.setSingleShot(true);
        connect(&answer, &QTimer::timeout, this, [&shown] {
            if (auto *message = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown << message->text() << message->windowTitle() << QString::number(message->icon());
                message->accept();
            }
        });
        answer.start(0);
        if (action == u"enter")
            QTest::keyClick(box, Qt::Key_Return);
        else if (action == u"escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            dialog.findChild<QPushButton *>(action == u"ok" ? QStringLiteral("Command1") : QStringLiteral("Command2"))
                ->click();

        const QStringList complaint{"Invalid filename characters", "Varko 2000 error",
                                    QString::number(QMessageBox::Warning)};
        QCOMPARE(shown, refused ? complaint : QStringList());
        QCOMPARE(dialog.isVisible(), refused);
        QTEST(dialog.name(), "name");
    }

    void centredOverItsWindow()
    {
        QWidget window;
        window.setGeometry(200, 150, 800, 600);
        window.show();
        BaseNameDialog dialog(&window, 6);
        dialog.show();
        QCOMPARE(dialog.frameGeometry().center(), window.frameGeometry().center());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("File name"));
    }
};

QTEST_MAIN(TestBaseNameDialog)
#include "tst_basenamedialog.moc"
