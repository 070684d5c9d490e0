// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the "File name" dialog that asks for a set's base name.
#include "dialogs/basenamedialog.h"

#include "dialogs/messagebox.h"
#include "engine/basename.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

BaseNameDialog::BaseNameDialog(QWidget *parent, int maxLength)
    : QDialog(parent)
    , m_nameBox(new QLineEdit(this))
    , m_okButton(new QPushButton(tr("&OK"), this))
    , m_cancelButton(new QPushButton(tr("&Cancel"), this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("File name"));
    setAccessibleName(windowTitle());
    m_nameBox->setObjectName(QStringLiteral("Text1"));
    m_nameBox->setAccessibleName(QStringLiteral("File name"));
    m_nameBox->setMaxLength(maxLength);
    m_okButton->setObjectName(QStringLiteral("Command1"));
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    m_okButton->setDefault(true);
    m_cancelButton->setObjectName(QStringLiteral("Command2"));
    m_cancelButton->setAccessibleName(QStringLiteral("Cancel"));
    m_cancelButton->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_nameBox);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &BaseNameDialog::onOk);
    connect(m_cancelButton, &QPushButton::clicked, this, &BaseNameDialog::onCancel);
}

QString BaseNameDialog::name() const
{
    return m_nameBox->text();
}

QString BaseNameDialog::ask(QWidget *parent, int maxLength)
{
    BaseNameDialog dialog(parent, maxLength);
    dialog.exec();
    return dialog.name();
}

void BaseNameDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QWidget *over = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(over->frameGeometry().center());
        move(frame.topLeft());
    }
}

void BaseNameDialog::onOk()
{
    const QString lowered = BaseName::lowered(m_nameBox->text());
    m_nameBox->setText(lowered);
    if (!BaseName::hasValidCharacters(lowered)) {
        showMessage(this, Message::invalidBaseName());
        m_nameBox->setFocus();
        return;
    }
    accept();
}

void BaseNameDialog::onCancel()
{
    m_nameBox->clear();
    reject();
}
