// Varko 2000 — the file system as the browser list shows it.
#include "app/browsermodel.h"

#include "platform/shelltype.h"

#include <QApplication>
#include <QIcon>
#include <QMimeDatabase>
#include <QStyle>

namespace {

constexpr int kTypeColumn = 2;
constexpr int kModifiedColumn = 3;

} // namespace

BrowserModel::BrowserModel(QObject *parent)
    : QFileSystemModel(parent)
{
    setFilter(QDir::AllEntries | QDir::NoDotAndDotDot);
    // Renaming a new folder in place writes through the model.
    setReadOnly(false);
}

QVariant BrowserModel::data(const QModelIndex &index, int role) const
{
    if (index.column() == 0 && role == Qt::DecorationRole) {
        // Without an icon theme the large icons view would be names alone.
        const QVariant icon = QFileSystemModel::data(index, role);
        if (!icon.value<QIcon>().isNull())
            return icon;
        return QApplication::style()->standardIcon(isDir(index) ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    }
    if (index.column() != kTypeColumn || role != Qt::DisplayRole)
        return QFileSystemModel::data(index, role);
    if (isDir(index))
        return kFolderTypeName;
    // By extension only: a folder of 100,000 files must not be opened file by file.
    return QMimeDatabase().mimeTypeForFile(fileName(index.siblingAtColumn(0)), QMimeDatabase::MatchExtension).comment();
}

QVariant BrowserModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == kModifiedColumn && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("Modified");
    return QFileSystemModel::headerData(section, orientation, role);
}

Qt::DropActions BrowserModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::LinkAction;
}
