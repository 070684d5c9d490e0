// Varko 2000 — the panels' captions and the check marks that follow the settings.
#include "window/mainwindow.h"
#include "engine/estimate.h"
#include "engine/queue.h"
#include "window/statuspanels.h"
#include "store/settingscaptions.h"

#include <QMenu>

namespace {

const QStringList kRarLevels{QStringLiteral("rstore"), QStringLiteral("rfastest"), QStringLiteral("rfast"),
                             QStringLiteral("rnormal"), QStringLiteral("rgood"), QStringLiteral("rmaximum")};
const QStringList kZipLevels{QStringLiteral("zstore"), QStringLiteral("zfastest"), QStringLiteral("zfast"),
                             QStringLiteral("znormal"), QStringLiteral("zgood"), QStringLiteral("zmaximum")};

} // namespace

void MainWindow::setCheckedGroup(const QStringList &names, int checkedIndex)
{
    for (int i = 0; i < names.size(); ++i)
        if (QAction *entry = action(names.at(i)))
            entry->setChecked(i == checkedIndex);
}

void MainWindow::mirrorSetting(SettingKey key, const RipSettings &settings, Origin)
{
    m_panels->showSetting(key, settings);
    auto check = [this](const char *name, bool on) { action(QLatin1String(name))->setChecked(on); };
    switch (key) {
    case SettingKey::Rarace: {
        const bool rar = archiveTypeCaption(settings.rarace) == u"Rar";
        check("rar2", rar);
        check("rarc", rar);
        check("ace2", !rar);
        check("acec", !rar);
        action(QStringLiteral("inrarace"))->setText(QStringLiteral("In ") + archiveTypeCaption(settings.rarace));
        break;
    }
    case SettingKey::Zip:
        check("zip2", settings.zip == 1);
        check("intoz", settings.zip == 1);
        for (const char *name : {"zco", "ops", "nfo2", "autonumber", "zzcomment"})
            action(QLatin1String(name))->setEnabled(settings.zip == 1);
        break;
    case SettingKey::Savepaths:
        check("paths2", settings.savepaths == 1);
        check("paths3", settings.savepaths == 1);
        break;
    case SettingKey::Nfo1st: check("nfo2", settings.nfo1st == 1); break;
    case SettingKey::Dnumber: check("autonumber", settings.dnumber == 1); break;
    case SettingKey::Zcomment: check("zzcomment", settings.zcomment == 1); break;
    case SettingKey::Racomp: setCheckedGroup(kRarLevels, checkedCompressionEntry(settings.racomp).value_or(-1)); break;
    case SettingKey::Zipcomp: setCheckedGroup(kZipLevels, checkedCompressionEntry(settings.zipcomp).value_or(-1)); break;
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
    m_menus.value(QStringLiteral("lpopup"))->menuAction()->setEnabled(!m_queue->isEmpty() && !commandsLocked());
}

void MainWindow::connectSettingCommands()
{
    // While a run works it reads the settings: a change is refused and the marks put back.
    auto levels = [this](const QStringList &names, qint16 RipSettings::*field, SettingKey key) {
        for (int i = 0; i < names.size(); ++i)
            connect(action(names.at(i)), &QAction::triggered, this, [this, field, key, i] {
                if (!m_ripState.ripInProgress)
                    m_settings.*field = qint16(i);
                mirrorSetting(key, m_settings, Origin::OptionsFile);
            });
    };
    levels(kRarLevels, &RipSettings::racomp, SettingKey::Racomp);
    levels(kZipLevels, &RipSettings::zipcomp, SettingKey::Zipcomp);
    auto toggle = [this](const char *name, qint16 RipSettings::*field, SettingKey key) {
        connect(action(QLatin1String(name)), &QAction::triggered, this, [this, field, key](bool on) {
            if (!m_ripState.ripInProgress)
                m_settings.*field = on ? 1 : 0;
            mirrorSetting(key, m_settings, Origin::OptionsFile);
        });
    };
    toggle("autonumber", &RipSettings::dnumber, SettingKey::Dnumber);
    toggle("zzcomment", &RipSettings::zcomment, SettingKey::Zcomment);
}
