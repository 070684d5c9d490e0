// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the copies of a member that several zips of a set carry, and which of them stands out.
#pragma once

#include <QHash>
#include <QString>

#include <vector>

/** What one copy must share with the others: the CRC and size of its bytes. */
struct CopyPrint
{
    quint32 crc = 0;
    qint64 size = 0;

    bool operator==(const CopyPrint &) const = default;
};

/**
 * Counts, per member name, the copies the zips of a set hold, in zip order.
 * The copy most zips hold is taken for the right one, on a tie the one met
 * first; any other copy is the odd one. A name only one zip holds has no
 * odd copy.
 */
class CopyCensus
{
public:
    void count(const QString &name, CopyPrint print);
    bool isOdd(const QString &name, CopyPrint print) const;

private:
    struct Tally
    {
        CopyPrint print;
        int copies = 0;
    };
    QHash<QString, std::vector<Tally>> m_tallies; ///< each distinct copy of a name, in the order first met
};
