// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — messages on standard error and the exit status of an archiver run.
#pragma once

#include <string>

/**
 * Collects what a run tells the user. Every message goes to standard error
 * at once, prefixed with the program's name. The exit status is the worst
 * seen: 0 clean, 1 something was skipped or changed, 2 the run failed.
 */
class Diagnostics
{
public:
    explicit Diagnostics(std::string program);

    const std::string &program() const { return m_program; }

    /** Something was skipped or stored differently; the run goes on. */
    void warn(const std::string &message);
    /** The run cannot produce a set. */
    void fail(const std::string &message);

    int status() const { return m_status; }

private:
    std::string m_program;
    int m_status = 0;
};

/** "PATH: reason" from the current errno. */
std::string systemError(const std::string &path);
