// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the volume planner at its edges: every plan checked against the rules readers need.
#include "volumes/volumeplan.h"

#include <QRandomGenerator>
#include <QTest>

using Items = std::vector<PlanItem>;
Q_DECLARE_METATYPE(Items)

namespace {

// RAR-like limits: 29 bytes of fixed blocks, a filler of at least 14 bytes.
VolumeLimits limits(uint64_t volumeBytes, uint32_t minPadding = 14, uint32_t maxPadding = 1u << 30)
{
    return VolumeLimits{volumeBytes, 29, minPadding, maxPadding, 1000};
}

// Checks what readers rely on; returns what is wrong, empty when nothing.
QString planProblem(const Items &items, const VolumeLimits &lim, const std::vector<PlannedVolume> &volumes)
{
    std::vector<uint64_t> placed(items.size(), 0);
    std::vector<std::size_t> lastVolume(items.size(), 0);
    for (std::size_t v = 0; v < volumes.size(); ++v) {
        const PlannedVolume &volume = volumes[v];
        const bool last = v + 1 == volumes.size();
        uint64_t size = lim.overhead;
        for (std::size_t p = 0; p < volume.pieces.size(); ++p) {
            const Piece &piece = volume.pieces[p];
            const PlanItem &item = items[piece.item];
            size += item.headerSize + piece.padding + piece.length;
            if (piece.offset != placed[piece.item])
                return QString("volume %1: piece of item %2 does not follow on").arg(v).arg(piece.item);
            if (piece.continuesPrevious() && (p != 0 || lastVolume[piece.item] + 1 != v))
                return QString("volume %1: a continuation is not first or not in the next volume").arg(v);
            if (item.dataSize > 0 && piece.length == 0)
                return QString("volume %1: empty piece of a non-empty file").arg(v);
            if (piece.padding != 0 && (piece.padding < lim.minPadding || piece.padding > lim.maxPadding))
                return QString("volume %1: padding %2 out of range").arg(v).arg(piece.padding);
            placed[piece.item] += piece.length;
            lastVolume[piece.item] = v;
            const bool finished = placed[piece.item] == item.dataSize;
            if (piece.continuesNext == finished)
                return QString("volume %1: item %2 continues wrongly").arg(v).arg(piece.item);
        }
        if (size != volume.size)
            return QString("volume %1: size %2, planned %3").arg(v).arg(size).arg(volume.size);
        if (!last && (size != lim.volumeBytes || volume.pieces.empty() || !volume.pieces.back().continuesNext))
            return QString("volume %1: not full, or not ending inside a file").arg(v);
        if (last && (size > lim.volumeBytes || (!volume.pieces.empty() && volume.pieces.back().continuesNext)))
            return QString("last volume %1 too large or unfinished").arg(v);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (placed[i] != items[i].dataSize)
            return QString("item %1 not wholly placed").arg(i);
    }
    return {};
}

Items concat(Items a, const Items &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

class TestVolumePlan : public QObject
{
    Q_OBJECT

private slots:
    void plans_data()
    {
        QTest::addColumn<Items>("items");
        QTest::addColumn<qulonglong>("volumeBytes");
        QTest::addColumn<uint>("minPadding");
        QTest::addColumn<int>("volumes");
        // 1000-byte volumes hold 971 bytes of headers and data.
        QTest::newRow("fits exactly") << Items{{40, 931}} << 1000ull << 14u << 1;
        QTest::newRow("one byte over") << Items{{40, 932}} << 1000ull << 14u << 2;
        QTest::newRow("next header no longer fits") << Items{{40, 500}, {40, 380}, {40, 300}} << 1000ull << 14u << 2;
        QTest::newRow("filler of one byte (ACE)") << Items{{40, 500}, {40, 391}, {40, 300}} << 1000ull << 1u << 2;
        QTest::newRow("empty file and folder at the end")
            << Items{{40, 0}, {40, 0}, {40, 851}, {40, 0}, {40, 5}} << 1000ull << 14u << 2;
        QTest::newRow("folders overflow the first volume")
            << concat(Items(30, PlanItem{40, 0}), {{40, 3000}}) << 1000ull << 14u << 5;
        QTest::newRow("one-byte files") << concat(Items(50, PlanItem{40, 1}), {{40, 200}, {40, 3}}) << 1000ull << 14u
                                        << 3;
        QTest::newRow("small last file too small for the filler")
            << Items{{40, 2000}, {40, 4}, {50, 800}} << 1000ull << 14u << 4;
        QTest::newRow("floppies") << Items{{60, 5000000}, {60, 123}, {70, 0}, {60, 1474499}} << 1457664ull << 14u << 5;
    }
    void plans()
    {
        QFETCH(Items, items);
        QFETCH(qulonglong, volumeBytes);
        QFETCH(uint, minPadding);
        const VolumeLimits lim = limits(volumeBytes, minPadding);
        std::string error;
        const auto plan = planVolumes(items, lim, error);
        QVERIFY2(plan, error.c_str());
        QCOMPARE(QString(), planProblem(items, lim, *plan));
        QTEST(int(plan->size()), "volumes");
    }

    void singleArchiveKeepsOrder()
    {
        const Items items{{40, 5}, {40, 0}, {40, 1}, {40, 1u << 31}};
        std::string error;
        const auto plan = planVolumes(items, limits(0), error);
        QVERIFY(plan);
        QCOMPARE(plan->size(), std::size_t(1));
        QCOMPARE((*plan)[0].pieces.size(), std::size_t(4));
        for (uint32_t i = 0; i < 4; ++i)
            QCOMPARE((*plan)[0].pieces[i].item, i);
        QCOMPARE((*plan)[0].size, uint64_t(29 + 160 + 6) + (uint64_t(1) << 31));
    }

    void randomSets()
    {
        // Mixed sets like real releases (folders, empty, tiny and large files),
        // volumes at least a few headers large: every one must plan by the rules.
        QRandomGenerator random(2000);
        for (int round = 0; round < 3000; ++round) {
            Items items;
            const int count = random.bounded(1, 60);
            for (int i = 0; i < count; ++i) {
                const uint32_t header = uint32_t(random.bounded(35, 120));
                const int kind = random.bounded(10);
                const uint64_t size = kind < 2 ? 0
                    : kind < 4                 ? uint64_t(random.bounded(1, 4))
                    : kind < 8                 ? uint64_t(random.bounded(4, 3000))
                                               : uint64_t(random.bounded(3000, 40000));
                items.push_back({header, size});
            }
            const uint32_t minPadding = random.bounded(2) ? 14 : 1;
            const VolumeLimits lim =
                limits(uint64_t(random.bounded(600, 5000)), minPadding, minPadding == 1 ? 4096 : 1u << 30);
            std::string error;
            const auto plan = planVolumes(items, lim, error);
            QVERIFY2(plan, qPrintable(QString("round %1: %2").arg(round).arg(QString::fromStdString(error))));
            const QString problem = planProblem(items, lim, *plan);
            QVERIFY2(problem.isEmpty(), qPrintable(QString("round %1: %2").arg(round).arg(problem)));
        }
    }

    void failures_data()
    {
        QTest::addColumn<Items>("items");
        QTest::addColumn<qulonglong>("volumeBytes");
        QTest::newRow("volume smaller than its fixed blocks") << Items{{40, 10}} << 29ull;
        QTest::newRow("header does not fit an empty volume") << Items{{40, 10}, {200, 10}} << 200ull;
        QTest::newRow("more than the naming allows") << Items{{40, 2000000}} << 1000ull;
        QTest::newRow("only folders, more than a volume") << Items(30, PlanItem{40, 0}) << 1000ull;
    }
    void failures()
    {
        QFETCH(Items, items);
        QFETCH(qulonglong, volumeBytes);
        std::string error;
        QVERIFY(!planVolumes(items, limits(volumeBytes), error));
        QVERIFY(!error.empty());
    }
};

QTEST_GUILESS_MAIN(TestVolumePlan)
#include "tst_volumeplan.moc"
