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
     * A drop: one row per new path, in order; paths already queued (same
     * Name and Path) and paths where nothing can be read are skipped. A
     * single dropped "New file_id.diz" is offered for renaming through
     * `ask`; an existing file_id.diz in its folder is never overwritten: the
     * file is then queued under its own name.
     */
    void addDropped(const QStringList &paths, const Ask &ask);

    /**
     * A script's rows: every line becomes a row, a line naming nothing that
     * exists a "(Not found!)" row that adds nothing to the totals.
     */
    void addScriptRows(const QStringList &rowPaths);

private:
    bool offerRename(const QString &path, const Ask &ask);
    void addPath(const QString &path);

    Queue &m_queue;
    const RipSettings &m_settings;
};
