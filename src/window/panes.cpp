// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's panes: the browser's folder tree and file list in their splitter, the queue below.
#include "window/panes.h"

#include "queueview/queuepane.h"
#include "window/twipslayout.h"

#include <QListView>
#include <QSplitter>
#include <QTreeView>

namespace {

// Stand-ins until the browser takes their places.
QWidget *placeholderView(QWidget *view, const QString &name, const QString &role)
{
    view->setObjectName(name);
    view->setAccessibleName(role);
    return view;
}

QSplitter *makeBrowserSplitter(QWidget *client)
{
    auto *splitter = new QSplitter(Qt::Horizontal, client);
    splitter->setObjectName(QStringLiteral("browserSplitter"));
    splitter->setAccessibleName(QStringLiteral("File browser"));
    splitter->setChildrenCollapsible(false);
    return splitter;
}

} // namespace

Panes::Panes(QWidget *client)
    : QObject(client)
    , m_browserSplitter(makeBrowserSplitter(client))
    , m_queuePane(nullptr)
{
    setBrowserViews(placeholderView(new QTreeView, QStringLiteral("folderTree"), QStringLiteral("Folders")),
                    placeholderView(new QListView, QStringLiteral("fileList"), QStringLiteral("Files")));
    m_queuePane = new QueuePane(client);
    connect(m_queuePane, &QueuePane::topEdgeDragged, this, [this](int dy) {
        m_queueHeight = std::max(0, m_queueHeight - dy * kTwipsPerPixel);
        emit queueHeightChanged();
    });
}

QWidget *Panes::browserHost() const
{
    return m_browserSplitter;
}

void Panes::setBrowserViews(QWidget *folderTree, QWidget *fileList)
{
    const QList<int> sizes = m_browserSplitter->sizes();
    delete m_folderTree;
    delete m_fileList;
    m_folderTree = folderTree;
    m_fileList = fileList;
    m_browserSplitter->addWidget(folderTree);
    m_browserSplitter->addWidget(fileList);
    m_browserSplitter->setStretchFactor(1, 1);
    if (sizes.size() == 2)
        m_browserSplitter->setSizes(sizes);
}

void Panes::setQueueView(QWidget *queueView)
{
    m_queuePane->setView(queueView);
    m_queueView = queueView;
}

void Panes::setFontSize(int points)
{
    for (QWidget *view : {m_folderTree, m_fileList, m_queueView}) {
        QFont font = view->font();
        font.setPointSize(points);
        view->setFont(font);
    }
}

int Panes::splitterPosition() const
{
    return m_browserSplitter->sizes().value(0) * kTwipsPerPixel;
}

void Panes::splitAt(int pixels)
{
    m_browserSplitter->setSizes({pixels, m_browserSplitter->width() - pixels});
}

int Panes::splitterWidth() const
{
    return m_browserSplitter->width();
}

void Panes::place(const WindowLayout &layout)
{
    const int before = splitterPosition();
    m_queueHeight = layout.queueHeight;
    m_browserSplitter->setGeometry(pixels(layout.browser));
    m_queuePane->setGeometry(pixels(layout.queue));
    if (layout.splitterPosition != before)
        m_browserSplitter->setSizes({layout.splitterPosition / kTwipsPerPixel, layout.browser.width / kTwipsPerPixel});
}
