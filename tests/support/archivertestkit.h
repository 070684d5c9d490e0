// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — running the archivers and the independent readers in tests.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTimeZone>

/** What a finished process left. */
struct ProcessResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/** The archiver `name` ("wrar", "wace") as built, beside the test. */
QString toolPath(const QString &name);
/** Runs `program` with `args` in `workDir` (or the current folder), standard input empty. */
ProcessResult runProcess(const QString &program, const QStringList &args, const QString &workDir = QString());
/**
 * The peers among `programs` ("7z", "unar", "unace", "unzip", "zip", "cksfv", "par2") that are not
 * on PATH, each with the Debian package that brings it; empty when all are.
 */
QString missingReaders(const QStringList &programs);

/**
 * Extracts `archive` with `reader` ("7z", "unar", "unace") into `into`;
 * returns what went wrong, empty when nothing.
 */
QString extract(const QString &reader, const QString &archive, const QString &into);

/**
 * The folders (with a slash) and files (with a hash of their bytes) under
 * `root`, sorted; `flat`: the files alone, by their names, as a reader
 * extracts a set made without paths.
 */
QStringList treeListing(const QString &root, bool flat = false);

/** A fixed time with even seconds: no extra time field, so header sizes are known. */
QDateTime evenTime();

/**
 * Test content under `src`, returning the list file's lines:
 * "mixed": a file, an empty file and a folder (wildcard line) holding a
 *   large file, a file in a sub-folder with blanks in its names, an empty
 *   folder, an empty file, a one-byte file and a non-ASCII name;
 * "boundary": a.bin and b.bin, a.bin ending exactly where the first
 *   volume of `volumeBytes` ends (`overhead` fixed bytes, `headerBase`
 *   + name bytes its header);
 * "spanning": a small file, one spanning 5 or more 1000-byte volumes, a small file;
 * "volumes103": one file filling exactly 103 volumes, the last of 100 bytes.
 */
QStringList makeContent(const QString &kind, const QString &src, qint64 volumeBytes = 0, qint64 overhead = 0,
                        qint64 headerBase = 0);
