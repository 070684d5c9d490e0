// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading a zip back in the tests, through the zip library itself.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <zip.h>

/** The entries of a zip in their order, and what the tests look at. */
struct ZipContents
{
    bool opened = false;
    QStringList names;
    QList<int> methods;
    QString comment;
    QList<QByteArray> data;

    QByteArray entry(const QString &name) const { return data.value(names.indexOf(name)); }
};

inline ZipContents readZip(const QString &path)
{
    ZipContents contents;
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return contents;
    contents.opened = true;
    const char *comment = zip_get_archive_comment(archive, nullptr, 0);
    contents.comment = comment ? QString::fromUtf8(comment) : QString();
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        contents.names << QString::fromUtf8(st.name);
        contents.methods << st.comp_method;
        QByteArray bytes(static_cast<qsizetype>(st.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (file) {
            zip_fread(file, bytes.data(), st.size);
            zip_fclose(file);
        }
        contents.data << bytes;
    }
    zip_discard(archive);
    return contents;
}
