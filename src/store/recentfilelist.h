// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the list of the most recent rip scripts.
#pragma once

#include <QSettings>
#include <QStringList>

/**
 * The most recent scripts, entry 1 the most recent. Entries are 1-based as
 * the File menu numbers them. Stored through QSettings under the value names
 * "MaxCount", "Count" and "File1" ... in that order.
 */
class RecentFileList
{
public:
    int maxFileCount() const { return m_maxFileCount; }
    /** Sets the capacity, keeping the entries that still fit. */
    void setMaxFileCount(int count);

    int fileCount() const { return int(m_files.size()); }

    /** Puts `path` at the top; an entry equal but for case moves up, the last falls off a full list. */
    void addFile(const QString &path);

    /** Entry `n`; empty outside 1 to fileCount(). */
    QString file(int n) const;

    /** Whether entry `n` is not empty (the disk is not looked at). */
    bool fileExists(int n) const { return !file(n).isEmpty(); }

    /** "&n)  " and the path, shortened to its last parts after "..." when 33 characters or longer. */
    QString menuCaption(int n) const;

    /** Reads the list when stored; a value that cannot be read ends the load where it got to. */
    void load(const QSettings &settings);

    /** Writes the capacity, the count and the entries. */
    void save(QSettings &settings) const;

private:
    int m_maxFileCount = 0;
    QStringList m_files;
};
