// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the options dialog: saving, re-placing rows, loading, the choosers and closing.
#include "dialogs/optionschoices.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/optionsdialoghost.h"
#include "engine/queue.h"
#include "settingsfiles.h"
#include "store/optionsfile.h"
#include "store/setextras.h"
#include "testfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class FakeHost : public OptionsDialogHost
{
public:
    int browserView() const override { return view; }
    void setZipComment(const QString &text) override { zipComment = text; }
    void showMessage(const Message &message) override { messages << message.text; }
    void mirrorSetting(SettingKey key, const RipSettings &, Origin) override { mirrored << key; }

    int view = 2;
    QString zipComment = QStringLiteral("old comment");
    QStringList messages;
    QList<SettingKey> mirrored;
};

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    RipSettings m_settings;
    Queue m_queue;
    FakeHost m_host;

    QString optionsPath() const { return m_dir.filePath(QStringLiteral("options.ini")); }

    std::unique_ptr<OptionsDialog> open()
    {
        return std::make_unique<OptionsDialog>(m_settings, m_queue, m_host, OptionsFile(optionsPath()));
    }

    template <typename W> static W *control(const OptionsDialog &dialog, const char *name)
    {
        return dialog.findChild<W *>(QString::fromLatin1(name));
    }

    static Placement placementNamed(const QString &text)
    {
        for (Placement p : {Placement::Rar, Placement::Ace, Placement::Zip, Placement::FirstZipOnly})
            if (placementText(p) == text)
                return p;
        return Placement::None;
    }

    void queueRows(const QStringList &names, const QStringList &in)
    {
        for (qsizetype i = 0; i < names.size(); ++i)
            m_queue.append(QueueItem{names[i], "/x/", "file", ItemKind::File, 1, {}, placementNamed(in[i])});
    }

    QStringList placements() const
    {
        QStringList in;
        for (const QueueItem &item : m_queue.items())
            in << placementText(item.in);
        return in;
    }

private slots:
    // The recovery percentage lives in the desktop's settings store: this run's own.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config")))); }

    void init()
    {
        QFile::remove(optionsPath());
        m_settings = RipSettings{};
        m_settings.tdrive = "/tmp";
        m_settings.riptodir = "/tmp/";
        m_queue.clear();
        m_host = FakeHost{};
    }

    void enterSavesAndCloses()
    {
        m_settings = changedSettings(m_dir.path());
        m_settings.view = "0";
        m_host.view = 3; // the View menu, not the stored view, gives the file list
        auto dialog = open();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        const QString dir = m_dir.path();
        QCOMPARE(readFile(optionsPath()),
                 crlf({"warnings= 0",     "sound= 0",       "font= ",
                       "fonts= 12",       "procolor= ",     "view= 3",
                       "sort= 1",         "tdrive= " + dir, "rarace= 0",
                       "savepaths= 1",    "size= 199",      "racomp= 5",
                       "zip= 0",          "nfo1st= 1",      "zipcomp= 0",
                       "riptodir= /tmp/", "zcomment= 1",    "comment= " + dir + "/comment with blanks.txt",
                       "dnumber= 1",      "layer= 1",       "extra= "}));
    }

    void tabOrderFollowsFrames()
    {
        auto dialog = open();
        QStringList order;
        QWidget *first = control<QWidget>(*dialog, "Combo3");
        for (QWidget *w = first; order.isEmpty() || w != first; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) != 0)
                order << w->objectName();
        }
        QCOMPARE(order, (QStringList{"Combo3",   "Combo4",   "Combo5",           "Check8",   "Check5",   "Check6",
                                     "Command5", "Drive1",   "tempFolderButton", "Command2", "Option1",  "Option2",
                                     "Combo1",   "VScroll1", "Check3",           "Check2",   "Check7",   "Check4",
                                     "Command4", "Combo2",   "par2Redundancy",   "Check1",   "Command3", "Command1"}));
    }

    void rowsReplaced_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("zip");
        QTest::addColumn<int>("nfo1st");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("mirrored");
        const QStringList placed{"Zip", "1st Zip only", "Rar"};
        // Zip turned off through the menu, all rows into the archive, is the window's dropAndPlace.
        QTest::newRow("zip box on, nfo first")
            << QByteArray("Check2") << 0 << 1 << QStringList{"Rar", "Rar", "Rar"} << placed << int(SettingKey::Zip);
        QTest::newRow("zip box on, nfo in every zip")
            << QByteArray("Check2") << 0 << 0 << QStringList{"Rar", "Rar", "Rar"} << QStringList{"Zip", "Zip", "Rar"}
            << int(SettingKey::Zip);
        QTest::newRow("ace: archive rows only") << QByteArray("Option2") << 1 << 1 << placed
                                                << QStringList{"Zip", "1st Zip only", "Ace"} << int(SettingKey::Rarace);
        QTest::newRow("nfo box: every nfo row")
            << QByteArray("Check1") << 1 << 0 << QStringList{"Zip", "Rar", "Rar"} << placed << int(SettingKey::Nfo1st);
    }
    void rowsReplaced()
    {
        QFETCH(QByteArray, button);
        QFETCH(int, zip);
        QFETCH(int, nfo1st);
        QFETCH(QStringList, before);
        QFETCH(int, mirrored);
        m_settings.zip = qint16(zip);
        m_settings.nfo1st = qint16(nfo1st);
        queueRows({"file_id.diz", "Readme.NFO", "movie.bin"}, before);
        auto dialog = open();
        QCOMPARE(placements(), before); // opening moves nothing
        control<QAbstractButton>(*dialog, button.constData())->click();
        QTEST(placements(), "after");
        QCOMPARE(m_host.mirrored, QList<SettingKey>{SettingKey(mirrored)});
        QVERIFY(!QFile::exists(optionsPath()));
    }

    void zipBoxFollowsArchiveTypeAndEnablesZipFrame()
    {
        auto dialog = open();
        auto *zip = control<QCheckBox>(*dialog, "Check2");
        control<QRadioButton>(*dialog, "Option2")->click();
        QCOMPARE(zip->text(), QStringLiteral("Ace into &Zip"));
        zip->click();
        QVERIFY(!control<QCheckBox>(*dialog, "Check1")->isEnabled());
        QVERIFY(!control<QLabel>(*dialog, "freeSpacePanel")->isEnabled());
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("viewLine");
        QTest::addColumn<QString>("fileList");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("view 0") << QByteArray("view= 0") << "Large icon" << QStringList();
        QTest::newRow("no file") << QByteArray() << "List" << QStringList{"Load options error"};
    }
    void load()
    {
        QFETCH(QByteArray, viewLine);
        QFETCH(QString, fileList);
        QFETCH(QStringList, messages);
        if (!viewLine.isEmpty()) {
            QStringList lines = defaultOptionsLines();
            lines[5] = QString::fromLatin1(viewLine);
            lines[12] = "zip= 0";
            makeFile(optionsPath(), lines.join("\r\n").toUtf8() + "\r\n");
        }
        queueRows({"file_id.diz"}, {"Zip"});
        auto dialog = open();
        control<QPushButton>(*dialog, "Command5")->click();
        QCOMPARE(control<QComboBox>(*dialog, "Combo3")->currentText(), fileList);
        QCOMPARE(m_host.messages, messages);
        // The loaded zip switch acts as a click on the zip box would.
        QCOMPARE(placements(), QStringList{messages.isEmpty() ? "Rar" : "Zip"});
    }

    void panelTexts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rip-to, 20 characters")
            << OptionsChoices::ripToDisplay("/tmp/abcdefghijklmno") << "        /tmp/abcdefghijklmno";
        QTest::newRow("rip-to, 21 characters")
            << OptionsChoices::ripToDisplay("/tmp/abcdefghijklmnop") << "        /tmp/abcdefghijklmno...";
        QTest::newRow("comment, 24 characters")
            << OptionsChoices::commentDisplay("/tmp/abcdefghijklmnopqrs") << " /tmp/abcdefghijklmnopqr...";
        QTest::newRow("free space") << OptionsChoices::freeSpaceText(1234567890123) << "1,177,376M Free";
    }
    void panelTexts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }

    void ripToUnusableFallsBackHome()
    {
        qputenv("HOME", m_dir.path().toUtf8());
        auto dialog = open();
        dialog->chooseRipToFolder(m_dir.filePath("gone"));
        QCOMPARE(m_settings.riptodir, m_dir.path() + "/");
        QCOMPARE(m_host.messages, QStringList{"Invalid drive/folder"});
        QCOMPARE(control<QLabel>(*dialog, "riptoFolderPanel")->toolTip(), m_dir.path() + "/");
    }

    void commentFile_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("commentLength");
        QTest::newRow("32,768 bytes") << 32768 << QStringList() << 32767;
        QTest::newRow("32,769 bytes") << 32769 << QStringList{"Comment must be under 32k"} << 0;
        QTest::newRow("vanished") << -1 << QStringList{"Cannot read the zip comment file "} << 0;
    }
    void commentFile()
    {
        QFETCH(int, bytes);
        QFETCH(QStringList, messages);
        QFETCH(int, commentLength);
        const QString path = m_dir.filePath("comment.txt");
        QFile::remove(path);
        if (bytes >= 0) // "é" is two bytes of UTF-8 and one character of comment
            makeFile(path, QByteArray("\xc3\xa9") + QByteArray(bytes - 2, 'c'));
        m_settings.zcomment = 1;
        auto dialog = open();
        dialog->chooseCommentFile(path);
        if (!messages.isEmpty())
            messages.last() += bytes < 0 ? path : QString();
        QCOMPARE(m_host.messages, messages);
        QCOMPARE(m_host.zipComment.size(), commentLength);
        QCOMPARE(m_settings.comment, path);
        QCOMPARE(control<QLabel>(*dialog, "commentPanel")->toolTip(), messages.isEmpty() ? path : QString());
    }

    // OK and Save end the same way; the options_by_keyboard journey saves and sees the window follow.
    void closeBoxAppliesTheLists()
    {
        auto dialog = open();
        control<QComboBox>(*dialog, "Combo4")->setCurrentIndex(3);
        control<QComboBox>(*dialog, "Combo5")->setCurrentIndex(0);
        control<QComboBox>(*dialog, "Combo2")->setCurrentIndex(5);
        control<QComboBox>(*dialog, "par2Redundancy")->setCurrentIndex(3);
        dialog->show();
        dialog->close();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(m_host.mirrored,
                 (QList<SettingKey>{SettingKey::View, SettingKey::Sort, SettingKey::Fonts, SettingKey::Racomp,
                                    SettingKey::Zipcomp}));
        QCOMPARE(m_settings.view, QStringLiteral("2"));
        QCOMPARE(m_settings.sort, QStringLiteral("4"));
        QCOMPARE(m_settings.fonts, QStringLiteral("8"));
        QCOMPARE(m_settings.zipcomp, qint16(5));
        QCOMPARE(SetExtras::redundancy(), 30);
        QCOMPARE(open()->findChild<QComboBox *>(QStringLiteral("par2Redundancy"))->currentText(),
                 QStringLiteral("30%"));
        QVERIFY(!QFile::exists(optionsPath()));
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
