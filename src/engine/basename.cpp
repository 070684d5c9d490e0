// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rule for a set's base name.
#include "engine/basename.h"

#include <algorithm>

namespace BaseName {

int maxLength(bool over99, int step)
{
    if (step == 0)
        return 20;
    return over99 ? 5 : 6;
}

QString lowered(const QString &text)
{
    return text.toLower();
}

bool hasValidCharacters(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c == u'-' || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'); });
}

} // namespace BaseName
