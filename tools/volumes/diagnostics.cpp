// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — messages on standard error and the exit status of an archiver run.
#include "volumes/diagnostics.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

Diagnostics::Diagnostics(std::string program)
    : m_program(std::move(program))
{
}

void Diagnostics::warn(const std::string &message)
{
    std::fprintf(stderr, "%s: %s\n", m_program.c_str(), message.c_str());
    if (m_status < 1)
        m_status = 1;
}

void Diagnostics::fail(const std::string &message)
{
    std::fprintf(stderr, "%s: %s\n", m_program.c_str(), message.c_str());
    m_status = 2;
}

std::string systemError(const std::string &path)
{
    return path + ": " + std::strerror(errno);
}
