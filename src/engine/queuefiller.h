// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — turning dropped paths and a script's rows into queue rows.
#pragma once

#include "engine/message.h"
#include "engine/queue.h"
#include "store/ripsettings.h"

#include <QStringList>

#include <functional>

/**
 * Builds rows the way a drop and a script read do, with the default
 * placement of the settings, and appends them to the queue.
 */
class QueueFiller
{
public:
    /** Shows a message box and returns the button pressed. */
    using Ask = std::function<Message::Answer(const Message &)>;

    QueueFiller(Queue &queue, const RipSettings &settings);

    /**
     * A drop read on this thread: the rename offer, then one row per new
     * path, in order; paths already queued (same Name and Path), repeated,
     * or where nothing can be read are skipped.
     */
    void addDropped(const QStringList &paths, const Ask &ask);

    /**
     * The rename offer of a drop: when `paths` is one "New file_id.diz",
     * asks through `ask`; on Yes the file becomes file_id.diz in its folder
     * and is queued "Zip". True when that dealt with the drop (renamed, or
     * such a row was queued already). An existing file_id.diz is never
     * overwritten: the drop then goes on and queues the file under its own name.
     */
    bool offerRename(const QStringList &paths, const Ask &ask);

    /** The dropped paths that make new rows, in order: not queued yet, not twice in the drop. */
    QStringList newPaths(const QStringList &paths) const;

    /** Appends the rows of `freshPaths` (see newPaths) at once, skipping those where nothing can be read. */
    void addRows(const QStringList &freshPaths);

    /** The row for one dropped path; reads only the disk, so any thread may call it. */
    static std::optional<QueueItem> readRow(const QString &path, const RipSettings &settings);

    /**
     * A script's rows, appended at once: a line naming nothing that exists
     * becomes a "(Not found!)" row. False, adding nothing, when a row's file
     * exists but cannot be examined (a folder without read permission).
     */
    bool addScriptRows(const QStringList &rowPaths);

private:
    Queue &m_queue;
    const RipSettings &m_settings;
};
