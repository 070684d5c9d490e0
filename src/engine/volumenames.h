// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the names of an archive set's volumes and zips, and their number strings.
#pragma once

#include <QString>
#include <QStringList>

/**
 * The naming the archivers use and the run follows. RAR: .rar, .r00 to
 * .r99, then .s00 to .s99, .t00 ... (what every RAR reader looks for after
 * .r99); in the over-99 state .001, .002, ... ACE: .ace, .c00 to .c99, then
 * .100, .101, ...
 */
class VolumeNames
{
public:
    VolumeNames(bool rar, bool over99, int step, int volumeCount);

    /** ".rar", ".001" or ".ace". */
    QString firstExtension() const;
    /** The bare file name of volume i (1-based) of the archive `baseName`. */
    QString volumeName(const QString &baseName, int i) const;
    /** "" for step 0 or a single volume; else i as "00", or "000" in the over-99 state. */
    QString numberString(int i) const;
    /** The volume count as "00", or "000" in the over-99 state. */
    QString totalString() const;
    /** The number the diz shows: the number string, but "01" for a set of one volume. */
    QString dizNumber(int i) const;

private:
    bool m_rar;
    bool m_over99;
    int m_step;
    int m_count;
};

/** The zip of volume i: the rip-to folder without its trailing '/', '/', the base name and the number string. */
QString zipBaseName(const QString &ripToDir, const QString &baseName, const QString &numberString);

/**
 * The zips in the rip-to folder that a set of this base name could make:
 * BASE.zip, BASE followed by two or three digits and ".zip". Sorted.
 */
QStringList existingSetZips(const QString &ripToDir, const QString &baseName);
/** Whether `fileName` is one of the zip names a set of this base name could make. */
bool isSetZipName(const QString &baseName, const QString &fileName);
