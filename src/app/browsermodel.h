// Varko 2000 — the file system as the browser list shows it.
#pragma once

#include <QFileSystemModel>

/**
 * The folder's files and folders with the columns Name, Size, Type and
 * Modified; the type is "File Folder" or the MIME description, as the queue
 * shows it. Items drag out as file URLs, copied or linked but never moved:
 * a drop elsewhere must not take a file away from under the browser.
 */
class BrowserModel : public QFileSystemModel
{
    Q_OBJECT

public:
    explicit BrowserModel(QObject *parent);

    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::DropActions supportedDragActions() const override;
};
