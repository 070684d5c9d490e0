// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the copies of a member that several zips of a set carry, and which of them stands out.
#include "engine/copycensus.h"

#include <algorithm>

void CopyCensus::count(const QString &name, CopyPrint print)
{
    std::vector<Tally> &tallies = m_tallies[name];
    const auto known = std::find_if(tallies.begin(), tallies.end(), [&](const Tally &t) { return t.print == print; });
    if (known == tallies.end())
        tallies.push_back({print, 1});
    else
        ++known->copies;
}

bool CopyCensus::isOdd(const QString &name, CopyPrint print) const
{
    const auto tallies = m_tallies.constFind(name);
    if (tallies == m_tallies.cend() || tallies->size() < 2)
        return false;
    // max_element keeps the first of equals: on a tie the copy met first stands.
    const auto most = std::max_element(tallies->cbegin(), tallies->cend(),
                                       [](const Tally &a, const Tally &b) { return a.copies < b.copies; });
    return !(most->print == print);
}
