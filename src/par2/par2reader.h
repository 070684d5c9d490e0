// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading a PAR 2.0 set back from its files: what it protects and where its recovery slices lie.
#pragma once

#include "par2packet.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/** A recovery slice as found in a file; its bytes stay there until a repair reads them. */
struct Par2RecoveryBlock
{
    QString path;
    qint64 offset = 0; ///< of the slice's first byte in the file
    quint32 exponent = 0;
};

/** One file the set protects, as its packets describe it. */
struct Par2SetFile
{
    Par2FileDescription description;
    QByteArray checksums; ///< per slice MD5 (16) and CRC-32 (4); empty when no intact packet held them
    qint64 firstSlice = 0; ///< number of its first slice in the set
    qint64 sliceCount = 0;
};

/** What the set's PAR2 files hold, read from every intact packet in them. */
struct Par2Set
{
    QString folder; ///< where the protected files lie, beside the PAR2 files
    QStringList par2Files; ///< the files read, the main file (when there) first
    quint64 sliceSize = 0;
    QList<Par2SetFile> files; ///< in slice order
    QList<Par2RecoveryBlock> recovery; ///< intact recovery slices, one per exponent, by exponent
    QString error; ///< why the files hold no usable set; the rest is then empty

    qint64 sliceTotal() const;
    /** The main file's name, or the first volume's when it is gone: what a message names the set by. */
    QString displayName() const;
};

/**
 * The PAR2 files of `base` in `folder`: BASE.par2 and BASE.volN+M.par2, the main file first, then
 * the volumes by name. Only regular files (or links to them) count.
 */
QStringList par2SetFiles(const QString &folder, const QString &base);
/** The base of a PAR2 file's name ("rel.vol07+08.par2" and "rel.par2" give "rel"); empty for another name. */
QString par2BaseName(const QString &fileName);

/**
 * Reads every packet of `files` (which must be of one folder), skipping damaged ones and scanning
 * on for the next; takes the set of the first intact main packet. Recovery slices are checked
 * but not kept in memory.
 */
Par2Set readPar2Set(const QStringList &files);
