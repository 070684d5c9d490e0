// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the exact command lines wrar and wace accept.
#include "volumes/archiverargs.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace {

bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// A run of decimal digits as a positive number, or nothing.
std::optional<uint64_t> positiveNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 18)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + uint64_t(c - '0');
    }
    if (value == 0)
        return std::nullopt;
    return value;
}

// -v<bytes>b (RAR) or -v<KiB> (ACE): the volume size in bytes.
std::optional<uint64_t> volumeSwitch(ArchiveFormat format, std::string_view arg)
{
    if (arg.substr(0, 2) != "-v")
        return std::nullopt;
    std::string_view digits = arg.substr(2);
    if (format == ArchiveFormat::Rar) {
        if (!endsWith(digits, "b"))
            return std::nullopt;
        return positiveNumber(digits.substr(0, digits.size() - 1));
    }
    const auto kib = positiveNumber(digits);
    if (!kib || *kib > (uint64_t(1) << 40))
        return std::nullopt;
    return *kib * 1024;
}

bool archiveNameFits(ArchiveFormat format, const std::string &archive)
{
    const std::size_t slash = archive.rfind('/');
    const std::string_view name = std::string_view(archive).substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.size() <= 4)
        return false; // a base name is needed before the extension
    if (format == ArchiveFormat::Rar)
        return endsWith(name, ".rar") || endsWith(name, ".001");
    return endsWith(name, ".ace");
}

// Takes the expected literal switches in order from `args` starting at `at`.
bool take(const std::vector<std::string> &args, std::size_t &at, std::initializer_list<std::string_view> words)
{
    for (std::string_view word : words) {
        if (at >= args.size() || args[at] != word)
            return false;
        ++at;
    }
    return true;
}

// The optional volume switch; absent means one archive.
bool parseVolume(ArchiveFormat format, const std::vector<std::string> &args, std::size_t &at, ArchiverArgs &out)
{
    if (at >= args.size() || args[at].compare(0, 2, "-v") != 0)
        return true;
    const auto bytes = volumeSwitch(format, args[at++]);
    out.volumeBytes = bytes.value_or(0);
    return bytes.has_value();
}

bool parseLevel(const std::vector<std::string> &args, std::size_t &at, ArchiverArgs &out)
{
    if (at >= args.size())
        return false;
    const std::string &level = args[at++];
    if (level.size() != 3 || level.compare(0, 2, "-m") != 0 || level[2] < '0' || level[2] > '5')
        return false;
    out.level = level[2] - '0';
    return true;
}

bool parseTail(const std::vector<std::string> &args, std::size_t at, ArchiverArgs &out)
{
    if (args.size() != at + 2)
        return false;
    out.archive = args[at];
    const std::string &list = args[at + 1];
    if (list.size() < 2 || list[0] != '@')
        return false;
    out.listFile = list.substr(1);
    return !out.archive.empty();
}

bool parseRar(const std::vector<std::string> &args, ArchiverArgs &out)
{
    std::size_t at = 0;
    if (take(args, at, {"a", "-r0"}))
        out.barePaths = false;
    else if (at = 0; take(args, at, {"a", "-ep"}))
        out.barePaths = true;
    else
        return false;
    return parseVolume(ArchiveFormat::Rar, args, at, out) && parseLevel(args, at, out) && take(args, at, {"-y"})
        && parseTail(args, at, out);
}

bool parseAce(const std::vector<std::string> &args, ArchiverArgs &out)
{
    std::size_t at = 0;
    if (take(args, at, {"a", "-r", "-y"}))
        out.barePaths = false;
    else if (at = 0; take(args, at, {"a", "-y", "-ep"}))
        out.barePaths = true;
    else
        return false;
    return parseVolume(ArchiveFormat::Ace, args, at, out) && parseLevel(args, at, out) && parseTail(args, at, out);
}

} // namespace

ArgsOutcome parseArchiverArgs(ArchiveFormat format, std::vector<std::string> args, ArchiverArgs &out)
{
    for (std::string &arg : args) {
        // A caller that did not split by the quoting rules still passes "..." intact.
        if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
            arg = arg.substr(1, arg.size() - 2);
    }
    if (args.size() == 1 && args[0] == "--help")
        return ArgsOutcome::Help;
    if (args.size() == 1 && args[0] == "--version")
        return ArgsOutcome::Version;
    out = ArchiverArgs{};
    const bool ok = format == ArchiveFormat::Rar ? parseRar(args, out) : parseAce(args, out);
    if (!ok || !archiveNameFits(format, out.archive))
        return ArgsOutcome::Usage;
    return ArgsOutcome::Run;
}
