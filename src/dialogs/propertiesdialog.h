// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what a file, a folder or a selection is: the properties dialog.
#pragma once

#include <QDialog>

class QFormLayout;
class QLabel;

/**
 * Name, type ("File Folder" or the MIME description), location, size,
 * modified, owner and permissions of one item; for several the count, the
 * location when they share one, and the total size. Folder totals are read
 * in the background, so a huge folder does not hold up the window; the
 * size reads "Calculating..." meanwhile. Deletes itself when closed.
 */
class PropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    PropertiesDialog(const QStringList &paths, QWidget *parent);

    /** The size caption for `bytes`: "1,536KB (1,572,864 bytes)". */
    static QString sizeText(qint64 bytes);

private:
    void addRow(QFormLayout *form, const QString &caption, const QString &name, const QString &value);
    void addSingleRows(QFormLayout *form, const QString &path);
    void addSelectionRows(QFormLayout *form, const QStringList &paths);
    void measure(const QStringList &paths);

    QLabel *m_size = nullptr;
};
