// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what a file, a folder or a selection is: the properties dialog.
#include "dialogs/propertiesdialog.h"

#include "engine/queueitem.h"
#include "platform/foldersize.h"
#include "platform/shelltype.h"
#include "store/textformat.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

namespace {

QString permissionText(QFileDevice::Permissions p)
{
    const QFileDevice::Permission bits[] = {QFileDevice::ReadOwner, QFileDevice::WriteOwner, QFileDevice::ExeOwner,
                                            QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ExeGroup,
                                            QFileDevice::ReadOther, QFileDevice::WriteOther, QFileDevice::ExeOther};
    const char letters[] = "rwxrwxrwx";
    QString text;
    for (int i = 0; i < 9; ++i)
        text += (p & bits[i]) ? QLatin1Char(letters[i]) : QLatin1Char('-');
    return text;
}

} // namespace

PropertiesDialog::PropertiesDialog(const QStringList &paths, QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("propertiesDialog"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    if (paths.size() == 1)
        addSingleRows(form, paths.first());
    else
        addSelectionRows(form, paths);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    measure(paths);
}

QString PropertiesDialog::sizeText(qint64 bytes)
{
    // Kilobytes as the queue counts them; nothing at all is not rounded up to 1KB.
    if (bytes <= 0)
        return QStringLiteral("0 bytes");
    return QStringLiteral("%1KB (%2 bytes)").arg(formatThousands(kilobytes(bytes)), formatThousands(double(bytes)));
}

void PropertiesDialog::addRow(QFormLayout *form, const QString &caption, const QString &name, const QString &value)
{
    auto *label = new QLabel(value, this);
    label->setObjectName(name);
    label->setAccessibleName(caption);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(caption + QLatin1Char(':'), label);
    if (name == QLatin1String("sizeValue"))
        m_size = label;
}

void PropertiesDialog::addSingleRows(QFormLayout *form, const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName().isEmpty() ? info.absoluteFilePath() : info.fileName();
    setWindowTitle(QStringLiteral("%1 Properties").arg(name));
    addRow(form, QStringLiteral("Name"), QStringLiteral("nameValue"), name);
    addRow(form, QStringLiteral("Type"), QStringLiteral("typeValue"), shellTypeName(path));
    addRow(form, QStringLiteral("Location"), QStringLiteral("locationValue"),
           QDir::toNativeSeparators(info.absolutePath()));
    addRow(form, QStringLiteral("Size"), QStringLiteral("sizeValue"), QString());
    addRow(form, QStringLiteral("Modified"), QStringLiteral("modifiedValue"),
           QLocale().toString(info.lastModified(), QLocale::LongFormat));
    addRow(form, QStringLiteral("Owner"), QStringLiteral("ownerValue"), info.owner());
    addRow(form, QStringLiteral("Permissions"), QStringLiteral("permissionsValue"), permissionText(info.permissions()));
}

void PropertiesDialog::addSelectionRows(QFormLayout *form, const QStringList &paths)
{
    const QString count = QStringLiteral("%1 items").arg(paths.size());
    setWindowTitle(QStringLiteral("%1 Properties").arg(count));
    addRow(form, QStringLiteral("Name"), QStringLiteral("nameValue"), count);
    QString location = QFileInfo(paths.value(0)).absolutePath();
    for (const QString &path : paths) {
        if (QFileInfo(path).absolutePath() != location)
            location = QStringLiteral("Several folders");
    }
    addRow(form, QStringLiteral("Location"), QStringLiteral("locationValue"), location);
    addRow(form, QStringLiteral("Size"), QStringLiteral("sizeValue"), QString());
}

void PropertiesDialog::measure(const QStringList &paths)
{
    m_size->setText(QStringLiteral("Calculating..."));
    auto total = std::make_shared<qint64>(0);
    QThread *walker = QThread::create([paths, total] {
        for (const QString &path : paths) {
            const QFileInfo info(path);
            *total += info.isDir() && !info.isSymLink() ? folderBytes(path).value_or(0) : info.size();
        }
    });
    // The walk may outlive the dialog: it then ends on its own and nobody is told.
    connect(walker, &QThread::finished, walker, &QObject::deleteLater);
    connect(walker, &QThread::finished, this, [this, total] { m_size->setText(sizeText(*total)); });
    walker->start();
}
