// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — finding files by name below a folder.
#include "dialogs/finddialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

/** The found items, dragged out as the files they name. */
class FoundModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;

    QStringList mimeTypes() const override { return {QStringLiteral("text/uri-list")}; }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction | Qt::LinkAction; }
    QMimeData *mimeData(const QModelIndexList &indexes) const override
    {
        QList<QUrl> urls;
        for (const QModelIndex &index : indexes) {
            if (index.column() == 0)
                urls << QUrl::fromLocalFile(index.data(kPathRole).toString());
        }
        auto *data = new QMimeData; // the drag takes ownership
        data->setUrls(urls);
        return data;
    }
};

} // namespace

FindDialog::FindDialog(const QString &folder, QWidget *parent)
    : QDialog(parent)
    , m_folder(folder)
    , m_pattern(new QLineEdit(this))
    , m_subfolders(new QCheckBox(QStringLiteral("Include subfolders"), this))
    , m_find(new QPushButton(QStringLiteral("Find Now"), this))
    , m_stop(new QPushButton(QStringLiteral("Stop"), this))
    , m_status(new QLabel(this))
    , m_model(new FoundModel(0, 2, this))
    , m_view(new QTreeView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find Files"));
    nameControls();
    setUpResults();
    layOut(folder);
    connect(m_find, &QPushButton::clicked, this, &FindDialog::search);
    connect(m_stop, &QPushButton::clicked, this, &FindDialog::stop);
    connect(this, &QDialog::finished, this, &FindDialog::stop);
    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        emit openRequested(m_model->index(index.row(), 0).data(kPathRole).toString());
    });
}

void FindDialog::nameControls()
{
    m_pattern->setObjectName(QStringLiteral("findName"));
    m_pattern->setAccessibleName(QStringLiteral("Named"));
    m_pattern->setText(QStringLiteral("*"));
    m_subfolders->setObjectName(QStringLiteral("findSubfolders"));
    m_subfolders->setAccessibleName(m_subfolders->text());
    m_subfolders->setChecked(true);
    m_find->setObjectName(QStringLiteral("findNow"));
    m_find->setAccessibleName(m_find->text());
    m_find->setDefault(true);
    m_stop->setObjectName(QStringLiteral("findStop"));
    m_stop->setAccessibleName(m_stop->text());
    m_stop->setEnabled(false);
}

void FindDialog::setUpResults()
{
    m_model->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("In Folder")});
    m_view->setObjectName(QStringLiteral("findResults"));
    m_view->setAccessibleName(QStringLiteral("Results"));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setDragEnabled(true);
    m_view->setDragDropMode(QAbstractItemView::DragOnly);
    m_view->header()->resizeSection(0, 200);
}

void FindDialog::layOut(const QString &folder)
{
    auto *lookIn = new QLabel(QDir::toNativeSeparators(folder), this);
    lookIn->setObjectName(QStringLiteral("findLookIn"));
    lookIn->setAccessibleName(QStringLiteral("Look in"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Named:"), m_pattern);
    form->addRow(QStringLiteral("Look in:"), lookIn);
    form->addRow(QString(), m_subfolders);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_find, QDialogButtonBox::ActionRole);
    buttons->addButton(m_stop, QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);
    resize(520, 400);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
}

QStringList FindDialog::results() const
{
    QStringList paths;
    for (int row = 0; row < m_model->rowCount(); ++row)
        paths << m_model->item(row, 0)->data(kPathRole).toString();
    return paths;
}

void FindDialog::search()
{
    if (m_searching)
        return;
    m_searching = true;
    m_stopRequested = false;
    m_model->removeRows(0, m_model->rowCount());
    m_find->setEnabled(false);
    m_stop->setEnabled(true);
    m_status->setText(QStringLiteral("Searching..."));
    QStringList patterns = m_pattern->text().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &pattern : patterns)
        pattern = pattern.trimmed();
    QDirIterator found(m_folder, patterns.isEmpty() ? QStringList{QStringLiteral("*")} : patterns,
                       QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       m_subfolders->isChecked() ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    const QPointer<FindDialog> alive(this);
    for (int seen = 1; found.hasNext() && !m_stopRequested; ++seen) {
        addResult(found.next());
        if (seen % 64 == 0)
            QCoreApplication::processEvents();
        if (!alive)
            return; // closed meanwhile
    }
    m_searching = false;
    m_find->setEnabled(true);
    m_stop->setEnabled(false);
    m_status->setText(QStringLiteral("%1 file(s) found").arg(m_model->rowCount()));
}

void FindDialog::stop()
{
    m_stopRequested = true;
}

void FindDialog::addResult(const QString &path)
{
    const QFileInfo info(path);
    auto *name = new QStandardItem(info.fileName());
    name->setData(path, kPathRole);
    m_model->appendRow({name, new QStandardItem(QDir::toNativeSeparators(info.absolutePath()))});
}
