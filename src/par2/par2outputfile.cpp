// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a file being rebuilt: written beside its place, put there only once its MD5 proves it.
#include "par2outputfile.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <cstdio>

Par2OutputFile::Par2OutputFile(const QString &target)
    : m_target(target)
    , m_file(QFileInfo(target).absolutePath() + QStringLiteral("/.") + QFileInfo(target).fileName()
             + QStringLiteral(".XXXXXX"))
{
}

bool Par2OutputFile::open()
{
    return m_file.open() || fail(m_file.errorString());
}

bool Par2OutputFile::writeAt(quint64 offset, QByteArrayView bytes)
{
    if (m_file.seek(qint64(offset)) && m_file.write(bytes.data(), bytes.size()) == bytes.size())
        return true;
    return fail(m_file.errorString());
}

bool Par2OutputFile::commit(quint64 length, const QByteArray &md5)
{
    if (!m_file.flush() || !m_file.resize(qint64(length)) || !m_file.seek(0))
        return fail(m_file.errorString());
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&m_file) || hash.result() != md5)
        return fail(QStringLiteral("the rebuilt file does not match its MD5"));
    // The set's files are for others to read: not the temporary file's owner-only mode.
    m_file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                          | QFileDevice::ReadOther);
    // rename() replaces a link at the target itself rather than writing through it.
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_target).constData()) != 0)
        return fail(QStringLiteral("cannot put it in place"));
    m_file.setAutoRemove(false);
    return true;
}

bool Par2OutputFile::fail(const QString &what)
{
    m_error = QStringLiteral("Cannot rebuild %1: %2").arg(m_target, what);
    return false;
}
