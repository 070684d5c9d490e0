// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one archiver run, from the command line to the written set.
#include "volumes/runarchiver.h"

#include "naming/volumenaming.h"
#include "version.h"
#include "volumes/diagnostics.h"
#include "volumes/entrywalk.h"
#include "volumes/formatwriter.h"
#include "volumes/listfile.h"
#include "volumes/storednames.h"
#include "volumes/volumeplan.h"
#include "volumes/volumesetwriter.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <sys/stat.h>

namespace {

void onStopSignal(int)
{
    VolumeSetWriter::requestStop();
}

void catchStopSignals()
{
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

// Leaves the set's own volumes out when the list names the folder they go to.
OutputFilter outputFilter(const std::string &archive, const VolumeNaming &naming)
{
    const std::size_t slash = archive.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : archive.substr(0, slash);
    struct stat st
    {
    };
    if (::stat(folder.c_str(), &st) != 0)
        return {};
    return [dev = st.st_dev, ino = st.st_ino, &naming](const struct stat &parent, const std::string &name) {
        return parent.st_dev == dev && parent.st_ino == ino && naming.isVolumeName(name);
    };
}

std::vector<Entry> preparedEntries(const ArchiverArgs &args, const FormatWriter &format, const VolumeNaming &naming,
                                   Diagnostics &diagnostics)
{
    std::string why;
    const auto lines = readListFile(args.listFile, &why);
    if (!lines) {
        diagnostics.fail("cannot read the list file " + why);
        return {};
    }
    std::vector<Entry> entries =
        collectEntries(*lines, args.barePaths, outputFilter(args.archive, naming), diagnostics);
    applyNameRule(
        entries, [&format](const std::string &name) { return format.fixName(name); }, diagnostics);
    std::vector<Entry> kept;
    kept.reserve(entries.size());
    for (Entry &entry : entries) {
        if (format.prepare(entry, diagnostics))
            kept.push_back(std::move(entry));
    }
    if (kept.empty() && diagnostics.status() < 2)
        diagnostics.fail("nothing to archive");
    return kept;
}

int archive(const ArchiverArgs &args, const FormatWriter &format, Diagnostics &diagnostics)
{
    const VolumeNaming naming(args.archive);
    const std::vector<Entry> entries = preparedEntries(args, format, naming, diagnostics);
    if (entries.empty())
        return 2;
    std::vector<PlanItem> items;
    items.reserve(entries.size());
    for (const Entry &entry : entries)
        items.push_back({format.headerSize(entry), entry.size});
    const bool volumeSet = args.volumeBytes > 0;
    const VolumeLimits limits{args.volumeBytes, format.volumeOverhead(volumeSet), format.minPadding(),
                              format.maxPadding(), naming.maxVolumes()};
    std::string error;
    const auto volumes = planVolumes(items, limits, error);
    if (!volumes) {
        diagnostics.fail(args.archive + ": " + error);
        return 2;
    }
    // Said before the first volume, so a caller can finish each volume's use while the next is written.
    if (volumeSet) {
        std::printf("Volumes: %zu\n", volumes->size());
        std::fflush(stdout);
    }
    catchStopSignals();
    VolumeSetWriter writer(format, entries, naming);
    if (!writer.write(*volumes, volumeSet)) {
        diagnostics.fail(writer.error() + "; no volume was kept");
        return 2;
    }
    return diagnostics.status();
}

} // namespace

int runArchiver(const ArchiverInfo &info, const FormatWriter &format, const std::vector<std::string> &args)
{
    ArchiverArgs parsed;
    switch (parseArchiverArgs(info.format, args, parsed)) {
    case ArgsOutcome::Help: std::printf("%s\n%s", info.usage.c_str(), info.help.c_str()); return 0;
    case ArgsOutcome::Version: std::printf("%s (Varko 2000) %s\n", info.program.c_str(), VARKO_VERSION); return 0;
    case ArgsOutcome::Usage:
        std::fprintf(stderr, "%s: bad command line\n%s\nTry '%s --help' for more information.\n", info.program.c_str(),
                     info.usage.c_str(), info.program.c_str());
        return 2;
    case ArgsOutcome::Run: break;
    }
    Diagnostics diagnostics(info.program);
    try {
        return archive(parsed, format, diagnostics);
    } catch (const std::exception &error) {
        // Out of memory or a library's own failure: a message and a status, never an abort.
        diagnostics.fail(std::string("cannot go on: ") + error.what());
        return 2;
    }
}
