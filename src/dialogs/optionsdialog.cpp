// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the options dialog: every default setting, edited live, loaded and saved.
#include "dialogs/optionsdialog.h"

#include "dialogs/modepicture.h"
#include "dialogs/optionschoices.h"
#include "dialogs/optionsdialoghost.h"
#include "engine/estimate.h"
#include "engine/placement.h"
#include "engine/placementrules.h"
#include "platform/diskspace.h"
#include "store/setextras.h"
#include "store/settingscaptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace OptionsChoices;

namespace {

const QString kTitle = QStringLiteral("Varko 2000");
const QString kErrorTitle = QStringLiteral("Varko 2000 error");
const QStringList kViewValues{"0", "2", "3"};
const QStringList kFontValues{"8", "10", "12"};

Message okMessage(const QString &text, const QString &title, Message::Icon icon)
{
    return {text, title, icon, Message::Buttons::Ok};
}

int sortEntry(const QString &sort)
{
    const int entry = sort.trimmed().toInt() - 1;
    return entry >= 0 && entry <= 3 ? entry : -1;
}

} // namespace

OptionsDialog::OptionsDialog(RipSettings &settings, Queue &queue, OptionsDialogHost &host, OptionsFile optionsFile,
                             QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_queue(queue)
    , m_host(host)
    , m_file(std::move(optionsFile))
    , m_c(buildOptionsControls(this))
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Default options"));
    setAccessibleName(windowTitle());
    setModal(true);
    connectControls();
    // The controls take the live settings as they are; nothing is re-placed by opening.
    showSettings(m_settings);
    selectLists(m_settings, m_host.browserView());
}

void OptionsDialog::connectControls()
{
    connectChecks();
    connectButtons();
    connect(m_c.rar, &QRadioButton::toggled, this, &OptionsDialog::onArchiveType);
    connect(m_c.zip, &QCheckBox::toggled, this, &OptionsDialog::onZip);
    connect(m_c.nfoFirst, &QCheckBox::toggled, this, &OptionsDialog::onNfoFirst);
    connect(m_c.zipComment, &QCheckBox::toggled, this, &OptionsDialog::onZipComment);
    connect(m_c.size, &QScrollBar::valueChanged, this, &OptionsDialog::onSize);
    m_c.ripToPanel->installEventFilter(this);
    m_c.commentPanel->installEventFilter(this);
}

void OptionsDialog::connectChecks()
{
    const auto bind = [this](QCheckBox *box, qint16 RipSettings::*field, SettingKey key) {
        connect(box, &QCheckBox::toggled, this, [this, field, key](bool on) {
            if (m_settings.*field == qint16(on))
                return;
            m_settings.*field = on ? 1 : 0;
            changed(key);
        });
    };
    bind(m_c.warnings, &RipSettings::warnings, SettingKey::Warnings);
    bind(m_c.sound, &RipSettings::sound, SettingKey::Sound);
    bind(m_c.layered, &RipSettings::layer, SettingKey::Layer);
    bind(m_c.paths, &RipSettings::savepaths, SettingKey::Savepaths);
    bind(m_c.dizNumber, &RipSettings::dnumber, SettingKey::Dnumber);
    bind(m_c.zipComment, &RipSettings::zcomment, SettingKey::Zcomment);
}

void OptionsDialog::connectButtons()
{
    connect(m_c.load, &QPushButton::clicked, this, &OptionsDialog::onLoad);
    connect(m_c.save, &QPushButton::clicked, this, &OptionsDialog::onSave);
    connect(m_c.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_c.ripToBrowse, &QPushButton::clicked, this, &OptionsDialog::browseRipTo);
    connect(m_c.tempBrowse, &QPushButton::clicked, this, &OptionsDialog::browseTemp);
    connect(m_c.commentBrowse, &QPushButton::clicked, this, &OptionsDialog::browseComment);
}

void OptionsDialog::changed(SettingKey key)
{
    m_host.mirrorSetting(key, m_settings, SettingsMirrors::Origin::OptionsFile);
}

// Sets every control from `shown` in the order the dialog opens; each control
// whose value moves applies its change to the live settings, as a click would.
void OptionsDialog::showSettings(const RipSettings &shown)
{
    chooseTempFolder(shown.tdrive);
    m_c.size->setValue(shown.size);
    onSize(m_c.size->value());
    (shown.rarace == 1 ? m_c.rar : m_c.ace)->setChecked(true);
    captionZipBox(m_c.zip, shown.rarace == 1);
    m_c.zip->setChecked(shown.zip == 1);
    m_c.paths->setChecked(shown.savepaths == 1);
    m_c.zipComment->setChecked(shown.zcomment == 1);
    if (m_settings.comment != shown.comment) {
        m_settings.comment = shown.comment;
        changed(SettingKey::Comment);
    }
    if (!shown.comment.isEmpty())
        showComment(shown.comment);
    if (m_settings.riptodir != shown.riptodir) {
        m_settings.riptodir = shown.riptodir;
        changed(SettingKey::Riptodir);
    }
    showRipTo();
    m_c.nfoFirst->setChecked(shown.nfo1st == 1);
    m_c.warnings->setChecked(shown.warnings == 1);
    m_c.sound->setChecked(shown.sound == 1);
    m_c.dizNumber->setChecked(shown.dnumber == 1);
    m_c.layered->setChecked(shown.layer == 1);
    showZipState();
}

void OptionsDialog::selectLists(const RipSettings &shown, int view)
{
    m_c.fileList->setCurrentIndex(int(kViewValues.indexOf(QString::number(view))));
    m_c.sortBy->setCurrentIndex(sortEntry(shown.sort));
    m_c.fontSize->setCurrentIndex(int(kFontValues.indexOf(shown.fonts)));
    m_c.archiveCompression->setCurrentIndex(checkedCompressionEntry(shown.racomp).value_or(-1));
    m_c.zipCompression->setCurrentIndex(checkedCompressionEntry(shown.zipcomp).value_or(-1));
    m_c.redundancy->setCurrentIndex(int(SetExtras::redundancyChoices().indexOf(SetExtras::redundancy())));
}

void OptionsDialog::takeLists()
{
    const int view = m_c.fileList->currentIndex();
    const int font = m_c.fontSize->currentIndex();
    m_settings.view = view < 0 ? QStringLiteral("0") : kViewValues.at(view);
    m_settings.sort = QString::number(m_c.sortBy->currentIndex() + 1);
    m_settings.fonts = font < 0 ? QString() : kFontValues.at(font);
    m_settings.racomp = qint16(m_c.archiveCompression->currentIndex());
    m_settings.zipcomp = qint16(m_c.zipCompression->currentIndex());
    SetExtras::setRedundancy(SetExtras::redundancyChoices().value(m_c.redundancy->currentIndex()));
}

void OptionsDialog::done(int result)
{
    takeLists();
    for (SettingKey key :
         {SettingKey::View, SettingKey::Sort, SettingKey::Fonts, SettingKey::Racomp, SettingKey::Zipcomp})
        changed(key);
    QDialog::done(result);
}

void OptionsDialog::onArchiveType(bool rar)
{
    if (rar != (m_settings.rarace == 1)) {
        PlacementRules::setArchiveType(m_queue, m_settings, rar);
        changed(SettingKey::Rarace);
    }
    captionZipBox(m_c.zip, rar);
    showZipState();
}

void OptionsDialog::onZip(bool on)
{
    if (on != isZipping(m_settings)) {
        PlacementRules::setZipping(m_queue, m_settings, on);
        changed(SettingKey::Zip);
    }
    showZipState();
}

void OptionsDialog::onNfoFirst(bool firstOnly)
{
    if (m_settings.nfo1st == qint16(firstOnly))
        return;
    // Rows move only while the volumes are zipped; otherwise they all sit in the archive.
    if (isZipping(m_settings))
        PlacementRules::setNfoFirst(m_queue, m_settings, firstOnly);
    else
        m_settings.nfo1st = firstOnly ? 1 : 0;
    changed(SettingKey::Nfo1st);
}

void OptionsDialog::onZipComment(bool on)
{
    m_c.commentBrowse->setEnabled(on);
    m_c.commentPanel->setEnabled(on);
}

void OptionsDialog::onSize(int step)
{
    if (m_settings.size != step) {
        m_settings.size = qint16(step);
        changed(SettingKey::Size);
    }
    const Estimate::DialogView view = Estimate::dialogView(m_queue.totals().totalKB, step);
    m_c.sizeCaption->setText(view.dialogCaption);
    m_c.estimate->setText(view.estimateField);
}

void OptionsDialog::showZipState()
{
    const bool zipping = m_c.zip->isChecked();
    m_c.zipFrame->setEnabled(zipping);
    m_c.tempFrame->setEnabled(zipping);
    onZipComment(m_c.zipComment->isChecked());
    m_c.modePicture->setPixmap(modePixmap(packMode(m_settings), 48));
}

void OptionsDialog::onLoad()
{
    m_c.paths->setFocus();
    RipSettings loaded = m_settings;
    const StoreResult result = m_file.loadOptionsIntoDialog(loaded);
    showSettings(loaded);
    selectLists(loaded, loaded.view.trimmed().toInt());
    if (!result.ok) {
        qWarning("%s", qPrintable(result.detail));
        m_host.showMessage(okMessage(result.message, kTitle, Message::Icon::Critical));
    }
}

void OptionsDialog::onSave()
{
    takeLists();
    const StoreResult result = m_file.saveOptions(m_settings);
    if (!result.ok) {
        qWarning("%s", qPrintable(result.detail));
        m_host.showMessage(okMessage(result.message, kTitle, Message::Icon::Warning));
    }
    accept();
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_c.ripToPanel)
            browseRipTo();
        else if (watched == m_c.commentPanel)
            browseComment();
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::browseRipTo()
{
    const QString start = m_settings.riptodir.isEmpty() ? QDir::homePath() : m_settings.riptodir;
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Rip-to folder"), start);
    // Cancelling the chooser keeps the folder; it is not a failure to report.
    if (!folder.isEmpty())
        chooseRipToFolder(folder);
}

void OptionsDialog::browseTemp()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Temporary drive"), m_settings.tdrive);
    if (!folder.isEmpty())
        chooseTempFolder(folder);
}

void OptionsDialog::browseComment()
{
    chooseCommentFile(QFileDialog::getOpenFileName(this, QStringLiteral("Zip comment file"), QDir::homePath(),
                                                   QStringLiteral("All files (*)")));
}

void OptionsDialog::chooseRipToFolder(const QString &folder)
{
    const std::optional<QString> accepted = acceptedRipToFolder(folder);
    m_settings.riptodir = accepted.value_or(RipSettings::defaultRipToDir());
    changed(SettingKey::Riptodir);
    showRipTo();
    if (!accepted)
        m_host.showMessage(okMessage(QStringLiteral("Invalid drive/folder"), kErrorTitle, Message::Icon::Warning));
}

void OptionsDialog::chooseTempFolder(const QString &folder)
{
    const QString accepted = acceptedTempFolder(folder);
    if (m_settings.tdrive != accepted) {
        m_settings.tdrive = accepted;
        changed(SettingKey::Tdrive);
    }
    showTempFolder();
}

void OptionsDialog::chooseCommentFile(const QString &path)
{
    if (path.isEmpty()) {
        showComment(QString());
        return;
    }
    m_settings.comment = path;
    changed(SettingKey::Comment);
    const CommentFile file = readCommentFile(path);
    m_host.setZipComment(file.text);
    if (file.status == CommentFile::Status::TooLarge)
        m_host.showMessage(
            okMessage(QStringLiteral("Comment must be under 32k"), kErrorTitle, Message::Icon::Information));
    else if (file.status == CommentFile::Status::Unreadable)
        m_host.showMessage(okMessage(QStringLiteral("Cannot read the zip comment file ") + path, kErrorTitle,
                                     Message::Icon::Exclamation));
    else
        showComment(path);
}

void OptionsDialog::showTempFolder()
{
    m_c.tempFolder->setText(m_settings.tdrive);
    m_c.tempFolder->setToolTip(m_settings.tdrive);
    const std::optional<qint64> free = freeBytes(m_settings.tdrive);
    m_c.freeSpace->setText(free ? freeSpaceText(*free) : QString());
}

void OptionsDialog::showRipTo()
{
    m_c.ripToPanel->setText(ripToDisplay(m_settings.riptodir));
    m_c.ripToPanel->setToolTip(m_settings.riptodir);
}

void OptionsDialog::showComment(const QString &path)
{
    m_c.commentPanel->setText(path.isEmpty() ? QString() : commentDisplay(path));
    m_c.commentPanel->setToolTip(path);
}
