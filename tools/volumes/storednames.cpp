// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — names as an archive's readers can hold them, none stored over another.
#include "volumes/storednames.h"

#include "volumes/diagnostics.h"

#include <algorithm>
#include <map>

namespace {

std::string parentOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string lastOf(const std::string &path)
{
    return path.substr(path.rfind('/') + 1);
}

std::string described(unsigned char c)
{
    if (c == '\\')
        return "a backslash";
    if (c < 0x20 || c == 0x7F)
        return "a control character";
    return std::string("'") + char(c) + '\'';
}

std::string listed(const std::vector<std::string> &items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

// " (N)" before the extension, so that the file still opens with its program;
// a leading dot starts a hidden name, not an extension.
std::string numbered(const std::string &name, int n, bool folder)
{
    const std::size_t dot = folder ? std::string::npos : name.rfind('.');
    const std::size_t cut = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, cut) + " (" + std::to_string(n) + ")" + name.substr(cut);
}

class NameTable
{
public:
    NameTable(const NameRule &rule, Diagnostics &diagnostics)
        : m_rule(rule)
        , m_diagnostics(diagnostics)
    {
    }

    // Every name the rule keeps is taken before any changed name is given
    // one, so that a changed name never pushes a kept one aside.
    void reserveKept(std::string path, std::string source)
    {
        while (!path.empty()) {
            const std::string name = lastOf(path);
            if (m_rule(name).held.empty())
                m_taken[parentOf(path)].emplace(name, source);
            path = parentOf(path);
            source = parentOf(source);
        }
    }

    std::string storedPath(const std::string &path, const std::string &source, bool folder)
    {
        if (const auto known = m_stored.find(path); known != m_stored.end())
            return known->second;
        const std::string parent = parentOf(path);
        const std::string storedParent = parent.empty() ? std::string() : storedPath(parent, parentOf(source), true);
        const std::string name = storedName(parent, lastOf(path), source, folder);
        return m_stored.emplace(path, storedParent.empty() ? name : storedParent + '/' + name).first->second;
    }

private:
    std::string storedName(const std::string &parent, const std::string &name, const std::string &source, bool folder)
    {
        const NameFix fix = m_rule(name);
        if (fix.held.empty())
            return name;
        auto &taken = m_taken[parent];
        std::string stored = fix.stored;
        std::string other;
        if (const auto holder = taken.find(stored); holder != taken.end()) {
            other = " (" + stored + " is the name of " + holder->second + ")";
            for (int n = 2; taken.count(stored = numbered(fix.stored, n, folder)); ++n) { }
        }
        taken.emplace(stored, source);
        m_diagnostics.warn(source + ": the name holds " + listed(fix.held) + ", stored as " + stored + other);
        return stored;
    }

    const NameRule &m_rule;
    Diagnostics &m_diagnostics;
    // Folders by their paths as listed: two folders apart stay apart when stored.
    std::map<std::string, std::map<std::string, std::string>> m_taken; // folder, stored name: whose source
    std::map<std::string, std::string> m_stored; // path as listed: as stored
};

} // namespace

NameFix underscored(const std::string &name, bool (*cannotHold)(unsigned char))
{
    NameFix fix{name, {}};
    for (char &c : fix.stored) {
        const auto byte = static_cast<unsigned char>(c);
        if (!cannotHold(byte))
            continue;
        const std::string what = described(byte);
        if (std::find(fix.held.begin(), fix.held.end(), what) == fix.held.end())
            fix.held.push_back(what);
        c = '_';
    }
    return fix;
}

void applyNameRule(std::vector<Entry> &entries, const NameRule &rule, Diagnostics &diagnostics)
{
    NameTable table(rule, diagnostics);
    for (const Entry &entry : entries)
        table.reserveKept(entry.archivePath, entry.sourcePath);
    for (Entry &entry : entries)
        entry.archivePath = table.storedPath(entry.archivePath, entry.sourcePath, entry.isDirectory);
}
