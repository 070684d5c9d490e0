// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — pasting files into a folder: copy or move, never losing one.
#pragma once

#include <QStringList>

class QFile;

#include <functional>

/**
 * Copies (or, after a cut, moves) files and folders into a folder.
 *
 * Every file is written to a temporary file in the target folder, synced to
 * disk and then renamed over its final name, so a full disk, a cancel or a
 * refused overwrite leaves the old file as it was. A moved source is removed
 * only after its copy is complete (or it was renamed in one step on the
 * same file system); a folder is removed only when all it held has moved.
 * Folders merge into folders of the same name; an existing file is replaced
 * only when the question answers Yes. Symbolic links are copied as links.
 */
class BrowserPaste
{
public:
    enum class Answer { Yes, No, Cancel };
    /** Asked with the name of a file that exists in the target. */
    using ReplaceQuestion = std::function<Answer(const QString &name)>;
    /** Bytes done of the total, and the name being copied; false stops the paste. */
    using Progress = std::function<bool(qint64 done, qint64 total, const QString &name)>;

    explicit BrowserPaste(ReplaceQuestion ask, Progress progress = {});

    /** Pastes `sources` into `folder`; a copy into the sources' own folder is named "Copy of NAME". */
    void run(const QStringList &sources, const QString &folder, bool move);

    /** One line per file that failed: its path, a colon and the reason. */
    const QStringList &failures() const { return m_failures; }

private:
    bool paste(const QString &source, const QString &target, bool move);
    bool pasteFolder(const QString &source, const QString &target, bool move);
    bool pasteFile(const QString &source, const QString &target, bool move);
    bool mayReplace(const QString &target);
    bool writeCopy(const QString &source, const QString &target);
    bool copyBytes(const QString &source, QFile &into);
    bool fail(const QString &path, const QString &reason);

    ReplaceQuestion m_ask;
    Progress m_progress;
    QStringList m_failures;
    qint64 m_done = 0;
    qint64 m_total = 0;
    bool m_stopped = false;
};
