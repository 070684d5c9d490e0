// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the "File name" dialog that asks for a set's base name.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

/**
 * `Form3`: one box (`Text1`), "&OK" (`Command1`, also Enter) and "&Cancel"
 * (`Command2`). OK lower-cases the text and closes only when every
 * character is "-", "a" to "z" or "0" to "9"; otherwise it says "Invalid
 * filename characters" and stays open. Cancel empties the box and closes;
 * Esc (and the window's close button) closes as it is. Whichever way it
 * closes, the name is the box's text: empty means cancelled.
 */
class BaseNameDialog : public QDialog
{
    Q_OBJECT

public:
    /** `maxLength`: what the box takes (20, 6 or 5, as the set's step and estimate allow). */
    BaseNameDialog(QWidget *parent, int maxLength);

    /** The name after the dialog closed. */
    QString name() const;

    /** Shows the dialog modal, centred over `parent`, and returns the name. */
    static QString ask(QWidget *parent, int maxLength);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void onOk();
    void onCancel();

    QLineEdit *m_nameBox;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
