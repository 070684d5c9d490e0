// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rule for a set's base name.
#pragma once

#include <QString>

/**
 * The base name names the archive and is the stem of every zip name, so it
 * is held to lower-case letters, digits and "-", and kept short.
 */
namespace BaseName {

/** The name box's length limit: 20 for step 0, else 5 in the over-99 state, else 6. */
int maxLength(bool over99, int step);

/** OK on the dialog: the text in lower case. */
QString lowered(const QString &text);

/** Every character is "-", "a" to "z" or "0" to "9" (the empty text passes: it means cancelled). */
bool hasValidCharacters(const QString &text);

} // namespace BaseName
