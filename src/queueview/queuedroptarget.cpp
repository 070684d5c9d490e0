// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's drop target: files and folders dragged onto the queue.
#include "queueview/queuedroptarget.h"

#include "browser/browserclipboard.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

QueueDropTarget::QueueDropTarget(Queue &queue, const RipSettings &settings, QObject *parent)
    : QObject(parent)
    , m_queue(queue)
    , m_reader(queue, settings)
{
    connect(&m_reader, &DropReader::busyChanged, this, &QueueDropTarget::busyChanged);
    connect(&m_reader, &DropReader::dropFinished, this, &QueueDropTarget::dropFinished);
}

void QueueDropTarget::install(QWidget *widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

QStringList QueueDropTarget::droppedPaths(const QMimeData *data)
{
    // Whatever form the file manager offers them in: the URI list or only the copied-files marker.
    QStringList paths;
    for (const QString &path : clipboardFiles(data).paths) {
        // A file manager names a folder "file:///a/b/"; the queue knows it as /a/b.
        if (!path.isEmpty())
            paths << QDir::cleanPath(path);
    }
    return paths;
}

bool QueueDropTarget::acceptsDrag(const QMimeData *data) const
{
    return !m_queue.isLocked() && !droppedPaths(data).isEmpty();
}

bool QueueDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    if (!acceptsDrag(drop->mimeData())) {
        drop->ignore();
        return true;
    }
    // Copy, whatever the source proposed: a move would have it delete its files.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop && m_reader.drop(droppedPaths(drop->mimeData())))
        emit dropStarted();
    return true;
}
