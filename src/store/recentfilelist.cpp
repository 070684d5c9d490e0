// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the list of the most recent rip scripts.
#include "store/recentfilelist.h"

#include <algorithm>

namespace {

constexpr int kWholeBelow = 33;
constexpr int kMaxTail = 32;

QString shortenedPath(const QString &path)
{
    if (path.size() < kWholeBelow)
        return path;
    const int first = path.indexOf(u'/');
    if (first < 0)
        return path;
    // From the end towards the start, the leftmost separator with at most
    // 32 characters after it; the leftmost of all when none is that close.
    int chosen = -1;
    for (int i = path.lastIndexOf(u'/'); i >= 0; i = i > 0 ? path.lastIndexOf(u'/', i - 1) : -1) {
        if (path.size() - i - 1 > kMaxTail)
            break;
        chosen = i;
    }
    return QStringLiteral("...") + path.mid(chosen >= 0 ? chosen : first);
}

std::optional<int> readInt(const QSettings &settings, const QString &name)
{
    bool ok = false;
    const int value = settings.value(name).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

void RecentFileList::setMaxFileCount(int count)
{
    m_maxFileCount = std::max(0, count);
    while (m_files.size() > m_maxFileCount)
        m_files.removeLast();
}

void RecentFileList::addFile(const QString &path)
{
    const auto same = [&path](const QString &entry) { return entry.compare(path, Qt::CaseInsensitive) == 0; };
    const qsizetype found = std::find_if(m_files.cbegin(), m_files.cend(), same) - m_files.cbegin();
    if (found < m_files.size())
        m_files.removeAt(found);
    else if (m_files.size() >= m_maxFileCount && !m_files.isEmpty())
        m_files.removeLast();
    if (m_maxFileCount > 0)
        m_files.prepend(path);
}

QString RecentFileList::file(int n) const
{
    return n >= 1 && n <= m_files.size() ? m_files.at(n - 1) : QString();
}

QString RecentFileList::menuCaption(int n) const
{
    return u'&' + QString::number(n) + QStringLiteral(")  ") + shortenedPath(file(n));
}

void RecentFileList::load(const QSettings &settings)
{
    if (!settings.contains(QStringLiteral("MaxCount")))
        return;
    const std::optional<int> capacity = readInt(settings, QStringLiteral("MaxCount"));
    if (!capacity)
        return;
    setMaxFileCount(*capacity);
    if (m_maxFileCount <= 0)
        return;
    const std::optional<int> count = readInt(settings, QStringLiteral("Count"));
    if (!count)
        return;
    m_files.clear();
    // All `Count` entries, even past a smaller capacity: start-up sets the
    // capacity afterwards, and that keeps the ones that fit.
    for (int n = 1; n <= *count; ++n) {
        const QVariant value = settings.value(QStringLiteral("File%1").arg(n));
        if (!value.isValid())
            return;
        m_files << value.toString();
    }
}

void RecentFileList::save(QSettings &settings) const
{
    settings.setValue(QStringLiteral("MaxCount"), m_maxFileCount);
    settings.setValue(QStringLiteral("Count"), fileCount());
    for (int n = 1; n <= fileCount(); ++n)
        settings.setValue(QStringLiteral("File%1").arg(n), m_files.at(n - 1));
}
