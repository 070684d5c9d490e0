// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the work of a PAR 2.0 check or repair shared among the cores.
#include "par2parallel.h"

#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

void par2InParallel(qsizetype bytes, const std::function<void(qsizetype, qsizetype)> &work)
{
    const int threads = std::max(1, QThread::idealThreadCount());
    const qsizetype step = std::max<qsizetype>(64 * 1024, (bytes / threads + 63) / 64 * 64);
    std::vector<std::jthread> running;
    for (qsizetype lo = step; lo < bytes; lo += step)
        running.emplace_back(work, lo, std::min(bytes, lo + step));
    work(0, std::min(bytes, step));
}

void par2ForEach(qsizetype count, const std::function<void(qsizetype)> &work)
{
    std::atomic<qsizetype> next = 0;
    const auto take = [&] {
        for (qsizetype i = next++; i < count; i = next++)
            work(i);
    };
    std::vector<std::jthread> running;
    for (int t = 1; t < std::min<qsizetype>(count, QThread::idealThreadCount()); ++t)
        running.emplace_back(take);
    take();
}
