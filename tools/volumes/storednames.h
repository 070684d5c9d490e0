// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — names as an archive's readers can hold them, none stored over another.
#pragma once

#include "volumes/entry.h"

#include <functional>
#include <string>
#include <vector>

class Diagnostics;

/** One name (a path component) as a format stores it. */
struct NameFix
{
    std::string stored;
    std::vector<std::string> held; // what had to change, e.g. "a backslash", "\"*\""; empty: stored as it is
};

/** A format's rule for one name. */
using NameRule = std::function<NameFix(const std::string &name)>;

/**
 * `name` with every byte `cannotHold` picks stored as '_'. Each such byte is
 * named once in `held`: "a backslash", "a control character", or the
 * character in quotes.
 */
NameFix underscored(const std::string &name, bool (*cannotHold)(unsigned char));

/**
 * Rewrites every entry's archivePath name by name with `rule`, with a
 * warning for each name changed ("PATH: the name holds X, stored as NAME").
 * A changed name never takes one a name of the same folder already has:
 * it gets the first free " (N)", N from 2, before its extension (a folder:
 * at its end), and the warning names the other file too. Names the rule
 * leaves alone are kept as they are; the same path listed twice stays one
 * name.
 */
void applyNameRule(std::vector<Entry> &entries, const NameRule &rule, Diagnostics &diagnostics);
