// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — showing one of the system's messages as a message box.
#include "dialogs/messagebox.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Message::Icon icon)
{
    switch (icon) {
    case Message::Icon::Question: return QMessageBox::Question;
    case Message::Icon::Critical: return QMessageBox::Critical;
    case Message::Icon::Information: return QMessageBox::Information;
    // The desktop has one exclamation-mark icon for both.
    case Message::Icon::Exclamation:
    case Message::Icon::Warning: break;
    }
    return QMessageBox::Warning;
}

QMessageBox::StandardButtons boxButtons(Message::Buttons buttons)
{
    switch (buttons) {
    case Message::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Message::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Message::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Message::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

Message::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Message::Answer::Ok;
    case QMessageBox::Yes: return Message::Answer::Yes;
    case QMessageBox::No: return Message::Answer::No;
    default: return Message::Answer::Cancel;
    }
}

} // namespace

Message::Answer showMessage(QWidget *parent, const Message &message)
{
    QMessageBox box(boxIcon(message.icon), message.title, message.text, boxButtons(message.buttons), parent);
    box.setAccessibleName(message.title);
    return answerOf(box.exec());
}
