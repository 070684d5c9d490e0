// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the options dialog opened over the main window.
#include "window/optionscommand.h"

#include "dialogs/messagebox.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/optionsdialoghost.h"
#include "store/optionsfile.h"
#include "window/mainwindow.h"
#include "window/viewmenu.h"

#include <QDir>

namespace {

/** The window as the dialog sees it; the three view keys the window keeps outside its mirrors. */
class WindowOptionsHost : public OptionsDialogHost
{
public:
    explicit WindowOptionsHost(MainWindow &window)
        : m_window(window)
    {
    }

    void mirrorSetting(SettingKey key, const RipSettings &settings, Origin origin) override
    {
        switch (key) {
        case SettingKey::View: m_window.views().setViewStyle(settings.view.trimmed().toInt()); break;
        case SettingKey::Sort: m_window.views().setSortColumn(settings.sort.trimmed().toInt()); break;
        case SettingKey::Fonts: m_window.views().setFontSize(settings.fonts.trimmed().toInt()); break;
        default: m_window.mirrorSetting(key, settings, origin); break;
        }
        if (key == SettingKey::Zip || key == SettingKey::Rarace)
            m_window.updateModePicture();
    }
    int browserView() const override { return m_window.views().viewStyle(); }
    // Each run reads the chosen comment file itself, so a file edited since is what goes in.
    void setZipComment(const QString &) override { }
    void showMessage(const Message &message) override { m_window.ask(message); }

private:
    MainWindow &m_window;
};

} // namespace

void showOptionsDialog(MainWindow &window, RipSettings &settings, Queue &queue)
{
    WindowOptionsHost host(window);
    const OptionsFile file(QDir(window.dataFolder()).filePath(QStringLiteral("options.ini")));
    OptionsDialog dialog(settings, queue, host, file, &window);
    dialog.exec();
    window.refreshTotals();
}
