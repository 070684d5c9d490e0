// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one folder's files and folders as the browser list shows them.
#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QTimer>

#include <memory>
#include <vector>

class QDirIterator;

/**
 * The files and folders of one folder (hidden ones left out) with the
 * columns Name, Size, Type and Modified; the type is "File Folder" or
 * `fileTypeName`, as the queue shows it. Folders come first in every
 * sort order.
 *
 * The folder is read on the window's thread in slices of a few
 * milliseconds, so a folder of 100,000 files fills in while the window
 * stays responsive; the rows appear in a few batches a second and are sorted once
 * the folder is complete. `reload` reads the folder again and keeps the
 * rows that stay, and with them the selection. Items drag out as file
 * URLs, copied or linked but never moved: a drop elsewhere must not take a
 * file away from under the browser. A name edited in place renames the
 * file, refusing a name that exists.
 */
class BrowserModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit BrowserModel(QObject *parent);
    ~BrowserModel() override;

    /** Empties the list and reads `folder`. */
    void setFolder(const QString &folder);
    /** Reads the shown folder again; rows that stay keep their place in the selection. */
    void reload();
    bool isLoading() const { return m_reader != nullptr; }

    using QAbstractTableModel::index;
    /** The row of `path`, or an invalid index when the list does not hold it. */
    QModelIndex index(const QString &path) const;
    /** Takes in (or updates) an item the browser itself just made, and returns its index. */
    QModelIndex notice(const QString &path);
    /** Makes the folder `name` in the shown folder; its index, or invalid. */
    QModelIndex mkdir(const QString &name);
    QString filePath(const QModelIndex &index) const;
    QString fileName(const QModelIndex &index) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

signals:
    /** The folder has been read to its end. */
    void loaded();

private:
    struct Entry
    {
        QString name;
        qint64 size = 0;
        QDateTime modified;
        bool folder = false;
    };
    static Entry entryOf(const QFileInfo &info);
    void startReading();
    void readSlice();
    void finishReading();
    void merge(std::vector<Entry> fresh);
    void append(std::vector<Entry> entries);
    std::vector<int> sortedOrder() const;
    void sortRows();
    void indexRows();
    QString typeName(const Entry &entry) const;
    QIcon icon(const Entry &entry) const;

    QString m_folder;
    std::vector<Entry> m_rows;
    QHash<QString, int> m_rowOf;
    std::unique_ptr<QDirIterator> m_reader;
    std::vector<Entry> m_incoming;
    bool m_firstRead = false;
    bool m_readAgain = false;
    QTimer m_slice;
    QElapsedTimer m_shown;
    int m_sortColumn = 0;
    QFileIconProvider m_icons;
    mutable QHash<QString, QString> m_typeBySuffix;
    mutable QHash<QString, QIcon> m_iconBySuffix;
};
