// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one packing of a loaded queue: the rip run and what its set gets, for the window and --pack alike.
#pragma once

#include "engine/riprun.h"
#include "engine/runsummary.h"

#include <functional>
#include <optional>

/** What a session does besides the run; each step is asked when its turn comes. */
struct PackOptions
{
    /** Whether a complete set gets BASE.sfv over its zips; none: no. */
    std::function<bool()> writeSfv;
    /** The set test on FOLDER/BASE, true when the set is whole; none: no test. */
    std::function<bool(const QString &setPath)> testSet;
    /** Recovery data over a complete set's zips, in percent of them (BASE.par2 and its volumes); none or 0: none. */
    std::function<int()> par2Percent;
    /** The session is the program's whole life: no later start-up clears a work folder left behind. */
    bool removeWorkFolder = false;
};

/**
 * Packs the queue with the settings as they are: reads the zip comment the
 * settings ask for, runs the rip run with the host it is given, then gives
 * the set what the options ask for. Only a complete set gets an .sfv or a
 * test. Whoever starts it differs only in its host and options, and in
 * telling the result.
 */
class PackSession
{
public:
    PackSession(const Queue &queue, RipSettings &settings, RipState &state, PackOptions options,
                RipEnvironment environment = RipEnvironment::standard());

    /** The comment file's text while `zcomment` is 1; false with `why` when it cannot be read (the zips then get none).
     */
    bool loadZipComment(QString *why = nullptr);

    /**
     * The run, its work folder, the .sfv and the PAR2 files; false when an
     * .sfv or PAR2 files were asked for and could not be written. The host's report also hears `testSet`'s
     * notes, so it lives until then.
     */
    bool pack(RipHost host);
    /** The set test, when asked for, on the set `pack` made; false when it found a fault. */
    bool testSet();

    /** Empty until `pack` has run. */
    const RunResult &result() const;
    bool isComplete() const;
    /** What the run left in the rip-to folder, for the sentence that tells it. */
    RunSummary summary() const;

private:
    void removeWorkFolder();
    bool writeSfv();
    bool writeRecovery();
    int recoveryPercent() const;
    QString keptOldRecovery() const;
    void note(const QString &text, RunReport::Note kind) const;

    const Queue &m_queue;
    RipSettings &m_settings;
    RipState &m_state;
    PackOptions m_options;
    RipEnvironment m_env;
    QString m_comment;
    RunReport *m_report = nullptr; ///< the host's, from `pack` on
    std::optional<RipRun> m_run;
};
