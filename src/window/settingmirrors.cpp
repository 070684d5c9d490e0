// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the settings on the window: the menus' check marks, the panels' captions, the totals.
#include "engine/estimate.h"
#include "engine/queue.h"
#include "store/settingscaptions.h"
#include "window/mainwindow.h"
#include "window/statuspanels.h"

#include <QMenu>

namespace {

using enum Command;
constexpr Command kRarLevels[] = {RarStore, RarFastest, RarFast, RarNormal, RarGood, RarMaximum};
constexpr Command kZipLevels[] = {ZipStore, ZipFastest, ZipFast, ZipNormal, ZipGood, ZipMaximum};

} // namespace

void MainWindow::mirrorSetting(SettingKey key, const RipSettings &settings, Origin)
{
    m_panels->showSetting(key, settings);
    auto check = [this](Command entry, bool on) { action(entry)->setChecked(on); };
    switch (key) {
    case SettingKey::Rarace: {
        const bool rar = archiveTypeCaption(settings.rarace) == u"Rar";
        check(Rar, rar);
        check(PopupRar, rar);
        check(Ace, !rar);
        check(PopupAce, !rar);
        action(Command::InArchive)->setText(QStringLiteral("In ") + archiveTypeCaption(settings.rarace));
        break;
    }
    case SettingKey::Zip:
        check(Zip, settings.zip == 1);
        check(PopupIntoZips, settings.zip == 1);
        for (const Command entry : {ZipCompressionMenu, ZipOptionsMenu, NfoInFirstZip, DizAutoNumber, ZipComment})
            action(entry)->setEnabled(settings.zip == 1);
        break;
    case SettingKey::Savepaths:
        check(IncludePaths, settings.savepaths == 1);
        check(PopupPaths, settings.savepaths == 1);
        break;
    case SettingKey::Nfo1st: check(NfoInFirstZip, settings.nfo1st == 1); break;
    case SettingKey::Dnumber: check(DizAutoNumber, settings.dnumber == 1); break;
    case SettingKey::Zcomment: check(ZipComment, settings.zcomment == 1); break;
    case SettingKey::Racomp:
        m_commands.checkOne(kRarLevels, checkedCompressionEntry(settings.racomp).value_or(-1));
        break;
    case SettingKey::Zipcomp:
        m_commands.checkOne(kZipLevels, checkedCompressionEntry(settings.zipcomp).value_or(-1));
        break;
    case SettingKey::Size: refreshTotals(); break;
    default: break;
    }
}

void MainWindow::mirrorAllSettings()
{
    for (const SettingSpec &spec : optionsSchema())
        mirrorSetting(spec.key, m_settings, Origin::OptionsFile);
}

void MainWindow::refreshTotals()
{
    m_panels->setTotalsText(m_queue->totals().panelText());
    m_panels->setVolumeSizeText(Estimate::sizeCaption(m_settings.size));
    if (!m_ripState.ripInProgress) {
        m_panels->setProgressText(Estimate::displayText(m_queue->totals().totalKB, m_settings.size));
        // The base-name dialog reads this: three-digit volume numbers leave room for five characters.
        m_ripState.over99 = m_settings.size != 0
            && Estimate::isOver99(Estimate::displayEstimate(m_queue->totals().totalKB, m_settings.size),
                                  m_settings.size);
    }
    action(QueueMenu)->setEnabled(!m_queue->isEmpty() && !commandsLocked());
}

void MainWindow::connectSettingCommands()
{
    // While a run works it reads the settings: a change is refused and the marks put back.
    auto levels = [this](std::span<const Command> entries, qint16 RipSettings::*field, SettingKey key) {
        for (size_t i = 0; i < entries.size(); ++i)
            onTriggered(entries[i], [this, field, key, i] {
                if (!m_ripState.ripInProgress)
                    m_settings.*field = qint16(i);
                mirrorSetting(key, m_settings, Origin::OptionsFile);
            });
    };
    levels(kRarLevels, &RipSettings::racomp, SettingKey::Racomp);
    levels(kZipLevels, &RipSettings::zipcomp, SettingKey::Zipcomp);
    auto toggle = [this](Command entry, qint16 RipSettings::*field, SettingKey key) {
        onTriggered(entry, [this, field, key](bool on) {
            if (!m_ripState.ripInProgress)
                m_settings.*field = on ? 1 : 0;
            mirrorSetting(key, m_settings, Origin::OptionsFile);
        });
    };
    toggle(DizAutoNumber, &RipSettings::dnumber, SettingKey::Dnumber);
    toggle(ZipComment, &RipSettings::zcomment, SettingKey::Zcomment);
}
