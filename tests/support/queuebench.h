// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a queue filled from a folder of its own, for the engine's and the queue view's tests.
#pragma once

#include "engine/queue.h"
#include "engine/queuefiller.h"
#include "store/ripsettings.h"
#include "testfiles.h"

#include <QTemporaryDir>

struct QueueBench
{
    QTemporaryDir dir;
    RipSettings settings;
    Queue queue;

    QString path(const QString &name) const { return dir.filePath(name); }
    // Queues `names` as a drop would; one not there yet is made with `size` bytes.
    void add(const QStringList &names, qint64 size = 1)
    {
        QStringList paths;
        for (const QString &name : names)
            paths << (QFileInfo::exists(path(name)) ? path(name) : makeFile(path(name), size));
        QueueFiller(queue, settings).addDropped(paths, {});
    }
    // A column's texts as the view shows them, top to bottom.
    QString column(int column) const
    {
        QStringList values;
        for (int row = 0; row < queue.rowCount(); ++row)
            values << queue.index(row, column).data().toString();
        return values.join(u',');
    }
};
