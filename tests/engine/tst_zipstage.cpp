// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the zip stage: diz numbering, what goes into each zip and in which order, the writer.
#include "engine/diznumbering.h"
#include "engine/placementrules.h"
#include "engine/sfvfile.h"
#include "engine/zipstage.h"
#include "queuebench.h"
#include "zip/crc32stream.h"
#include "zip/zipwriter.h"
#include "zipreader.h"

#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

// The zip library's own bytes for `entries` stored, the reference for a zip whose lead was copied.
static QByteArray libraryZip(const QString &path, const std::vector<ZipWriter::Entry> &entries, const QString &comment)
{
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE, nullptr);
    for (const ZipWriter::Entry &entry : entries) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(entry.sourcePath).constData(), 0, -1);
        const zip_int64_t i =
            zip_file_add(archive, entry.entryName.toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
    }
    if (!comment.isEmpty())
        zip_set_archive_comment(archive, comment.toUtf8().constData(),
                                static_cast<zip_uint16_t>(comment.toUtf8().size()));
    zip_close(archive);
    return readFile(path);
}

/** How a zip of the pool test was begun before the pool had it. */
enum class Start { Plain, Begun, Taken, TakenBegun, TakenWhole };

// A copy of `volume` at `path` with its time, for the zip to take over as if the archiver had written it.
static QString scratchCopy(const QString &volume, const QString &path)
{
    QFile::copy(volume, path);
    QFile copy(path);
    copy.open(QIODevice::ReadWrite);
    copy.setFileTime(QFileInfo(volume).lastModified(), QFileDevice::FileModificationTime);
    return path;
}

// The zip begun beforehand, as while the archiver works: its volume alone, copied or taken over, or the whole zip.
static std::optional<ZipWriter::Lead> begin(const ZipPool::Job &job, Start start, int zipcomp)
{
    ZipWriter writer;
    writer.setCompression(zipcomp);
    writer.setComment(QStringLiteral("note"));
    ZipWriter::Lead lead;
    const bool taking = start == Start::TakenBegun || start == Start::TakenWhole;
    if (start == Start::Begun && writer.beginBeside(job.zipPath, job.entries.front(), lead) == 0)
        return lead;
    if (!taking || zipcomp != 0 || writer.takeBeside(job.zipPath, job.entries.front(), lead) != 0)
        return std::nullopt;
    if (start == Start::TakenWhole && writer.finishBeside(lead, job.entries) != 0)
        return std::nullopt;
    return lead;
}

static int writeJob(const ZipPool::Job &job)
{
    return job.failure != 0 ? job.failure : ZipWriter().write(job.zipPath, job.entries);
}

class TestZipStage : public QObject
{
    Q_OBJECT

private slots:
    void numberedCopy_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QByteArray>("copy");
        const QByteArray blanks(25, ' ');
        QTest::newRow("template, zip 3 of 5") << blanks + "xx/xx\r\nline two\r\n"
                                              << "03/05" << blanks + "03/05\r\nline two\r\n";
        QTest::newRow("over 99 grows the line") << blanks + "xx/xx\r\n" << "007/105" << blanks + "007/105\r\n";
        QTest::newRow("over 99 overwrites what follows")
            << QByteArray("xx/xx--tail\n") << "007/105" << QByteArray("007/105tail\r\n");
        QTest::newRow("line 4 column 10, LF and no final line end")
            << QByteArray("one\ntwo\nthree\n123456789xx/xx end\nlast") << "01/02"
            << QByteArray("one\r\ntwo\r\nthree\r\n12345678901/02 end\r\nlast\r\n");
        QTest::newRow("capitals are no marker") << QByteArray("XX/XX\r\n") << "01/02" << QByteArray("XX/XX\r\n");
        QTest::newRow("8-bit art kept byte for byte")
            << QByteArray("\xb0\xb1\xb2 xx/xx \xdb\r\n") << "02/02" << QByteArray("\xb0\xb1\xb2 02/02 \xdb\r\n");
        QTest::newRow("UTF-8 counts characters") << QByteArray("é xx/xx\n") << "01/01" << QByteArray("é 01/01\r\n");
        // clang-format on
    }
    void numberedCopy()
    {
        QFETCH(QByteArray, source);
        QFETCH(QString, stamp);
        QFETCH(QByteArray, copy);
        QCOMPARE(DizNumbering::numberedCopy(source, DizNumbering::markerIn(source), stamp), copy);
    }

    void markerSearch()
    {
        QueueBench b;
        makeFile(b.path("a.diz"), QByteArray("no marker\n"));
        makeFile(b.path("file_id.diz"), QByteArray("x\ny xx/xx\n"));
        b.add({"a.diz", "file_id.diz"});
        const DizNumbering::Search found = DizNumbering::findMarker(b.queue.items());
        QVERIFY(found.marker.found && !found.numberingFailed);
        QCOMPARE(found.marker.line, 2);
        QCOMPARE(found.marker.column, 3);

        QFile::remove(b.path("a.diz"));
        const DizNumbering::Search failed = DizNumbering::findMarker(b.queue.items());
        QVERIFY(failed.numberingFailed);
        QVERIFY(!failed.marker.found);
    }

    void entriesPerVolume()
    {
        QueueBench b;
        makeFile(b.path("r/file_id.diz"), QByteArray("   xx/xx\n"));
        b.add({"r/data.bin", "r/file_id.diz", "r/rel.nfo", "r/every.txt", "r/first.txt"}, 10);
        PlacementRules::toggleNfoFirst(b.queue, b.settings);
        PlacementRules::placeInZip(b.queue, 3);
        PlacementRules::placeInFirstZip(b.queue, 4);
        const QString volume = makeFile(b.path("work/rel.r00"), 100);
        ZipStage stage(b.queue);

        const DizNumbering::Marker marker = DizNumbering::findMarker(b.queue.items()).marker;
        const ZipPool::Job one = stage.job({volume, b.path("rel01.zip"), 1, "01/02"}, marker);
        const ZipPool::Job two = stage.job({volume, b.path("rel02.zip"), 2, "02/02"}, marker);
        QCOMPARE(writeJob(one), 0);
        QCOMPARE(writeJob(two), 0);

        const ZipContents first = readZip(b.path("rel01.zip"));
        QCOMPARE(first.names, QStringList({"rel.r00", "file_id.diz", "rel.nfo", "every.txt", "first.txt"}));
        QCOMPARE(first.entry("file_id.diz"), QByteArray("   01/02\r\n"));
        QCOMPARE(first.entry("rel.r00"), readFile(volume));
        const ZipContents second = readZip(b.path("rel02.zip"));
        QCOMPARE(second.names, QStringList({"rel.r00", "file_id.diz", "every.txt"}));
        QCOMPARE(second.entry("file_id.diz"), QByteArray("   02/02\r\n"));
        QCOMPARE(readFile(b.path("r/file_id.diz")), QByteArray("   xx/xx\n"));
    }

    void unnumberedDiz()
    {
        QueueBench b;
        makeFile(b.path("folder/sub/inner.txt"), 7);
        makeFile(b.path("file_id.diz"), QByteArray("xx/xx\n"));
        b.add({"file_id.diz", "folder"});
        PlacementRules::placeInZip(b.queue, 1);
        ZipStage stage(b.queue);
        stage.watchSources(false);
        const QString volume = makeFile(b.path("v.rar"), 10);
        QCOMPARE(writeJob(stage.job({volume, b.path("z.zip"), 2, QString()}, {})), 0);
        const ZipContents zip = readZip(b.path("z.zip"));
        QCOMPARE(zip.names, QStringList({"v.rar", "file_id.diz", "folder/sub/inner.txt"}));
        QCOMPARE(zip.entry("file_id.diz"), QByteArray("xx/xx\n"));
        // A file new in the queued folder reaches only the zips written after it came.
        QCOMPARE(stage.changedSources(), QStringList());
        makeFile(b.path("folder/late.txt"), 3);
        QCOMPARE(
            stage.changedSources(),
            QStringList{"folder/late.txt changed while the zips were written: the zips may hold different versions"});
    }

    // Zips written side by side come out as one worker writes them: later,
    // smaller volumes are done first, and still take their names in order.
    // However each zip was begun, it holds the same bytes.
    void poolMatchesOneWorker_data()
    {
        QTest::addColumn<int>("zipcomp");
        QTest::newRow("stored") << 0;
        QTest::newRow("deflated") << 3;
    }
    void poolMatchesOneWorker()
    {
        QFETCH(int, zipcomp);
        QTemporaryDir dir;
        const QString diz = makeFile(dir.filePath("file_id.diz"), QByteArray("xx/xx\r\n"));
        QStringList volumes;
        for (int i = 7; i >= 1; --i) {
            const QString path = dir.filePath(QString::number(i));
            volumes << (i % 2 ? makeFile(path, i * 400000) : makeNoise(path, i * 200000, i));
        }
        const auto pack = [&](int workers, const QString &folder, Start start = Start::Plain) {
            QStringList named;
            ZipPool::Hooks hooks;
            hooks.prepare = [&](int i) {
                ZipPool::Job job;
                job.zipPath = dir.filePath(folder + QString::number(i));
                const QString volume = start == Start::Plain || start == Start::Begun
                    ? volumes.at(i - 1)
                    : scratchCopy(volumes.at(i - 1), job.zipPath + QStringLiteral(".v"));
                job.entries = {{volume, "v"}, {diz, "file_id.diz"}};
                job.takesFirstFile = start != Start::Plain && start != Start::Begun;
                if (i % 2)
                    job.lead = begin(job, start, zipcomp);
                return job;
            };
            hooks.showing = [](int) {};
            hooks.progress = [](int, int) {};
            hooks.keepGoing = [] { return true; };
            hooks.named = [&](int i, quint32 crc) {
                named << QString::number(i) + u' ' + crcText(crc);
                return true;
            };
            const ZipPool::Outcome outcome = ZipPool(zipcomp, QStringLiteral("note"), workers).run(7, hooks);
            return outcome.code == 0 ? named : QStringList();
        };
        const QStringList one = pack(1, QStringLiteral("one")), three = pack(3, QStringLiteral("three"));
        QCOMPARE(one.size(), 7);
        QCOMPARE(three, one);
        const QStringList started{"begun", "taken", "takenBegun", "takenWhole"};
        for (int s = 0; s < started.size(); ++s)
            QCOMPARE(pack(2, started.at(s), Start(s + 1)), one);
        for (int i = 1; i <= 7; ++i) {
            const QString zip = dir.filePath("one" + QString::number(i));
            QCOMPARE(readFile(dir.filePath("three" + QString::number(i))), readFile(zip));
            for (const QString &folder : started)
                QVERIFY2(readFile(dir.filePath(folder + QString::number(i))) == readFile(zip), qPrintable(folder));
            QCOMPARE(one.at(i - 1), QString::number(i) + u' ' + crcText(SfvFile::fileCrc(zip).value_or(0)));
        }
        // The copies taken over became their zips; a deflated zip leaves its copy for the caller.
        const QStringList left = QDir(dir.path()).entryList({"*.*"}, QDir::Files);
        QCOMPARE(left.size(), zipcomp == 0 ? 1 : 1 + 3 * 7);
    }

    // A file is taken over only when nothing else sees it change: otherwise it is left as it is, for a copy.
    void takeOverRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a second name") << "hard link";
        QTest::newRow("a symbolic link") << "symlink";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("missing") << "missing";
        QTest::newRow("another file system") << "elsewhere";
    }
    void takeOverRefused()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        std::unique_ptr<QTemporaryDir> elsewhere;
        QString volume = dir.filePath("v");
        if (kind == u"elsewhere") {
            elsewhere = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/varko-XXXXXX"));
            if (!elsewhere->isValid() || QStorageInfo(elsewhere->path()).device() == QStorageInfo(dir.path()).device())
                QSKIP("no second file system at /dev/shm");
            volume = elsewhere->filePath("v");
        }
        const QString original = makeFile(kind == u"symlink" ? dir.filePath("target") : volume, 5000);
        if (kind == u"hard link")
            QVERIFY(::link(QFile::encodeName(volume).constData(), QFile::encodeName(dir.filePath("h")).constData())
                    == 0);
        if (kind == u"symlink")
            QVERIFY(QFile::link(original, volume));
        if (kind == u"folder" || kind == u"missing")
            QFile::remove(volume);
        if (kind == u"folder")
            QDir().mkpath(volume);
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        ZipWriter writer;
        writer.setCompression(0);
        ZipWriter::Lead lead;
        QCOMPARE(writer.takeBeside(dir.filePath("z.zip"), {volume, "v"}, lead), -1);
        QVERIFY(lead.besideName.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        if (kind != u"folder" && kind != u"missing")
            QCOMPARE(readFile(volume).size(), 5000);
    }

    // A zip that will not take its name gives the file it took over back: the same bytes, time and name.
    void takenFileGivenBack_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("whole");
        QTest::newRow("empty, begun") << 0 << false;
        QTest::newRow("one byte, whole") << 1 << true;
        QTest::newRow("two chunks and a bit, begun") << 2 * 1024 * 1024 + 7 << false;
        QTest::newRow("two chunks and a bit, whole") << 2 * 1024 * 1024 + 7 << true;
    }
    void takenFileGivenBack()
    {
        QFETCH(int, size);
        QFETCH(bool, whole);
        QTemporaryDir dir;
        const QString volume = makeNoise(dir.filePath("rel.r00"), size, 7);
        const QByteArray bytes = readFile(volume);
        QFile file(volume);
        QVERIFY(file.open(QIODevice::ReadWrite)
                && file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
        file.close();
        const QDateTime stamped = QFileInfo(volume).lastModified();
        ZipWriter writer;
        writer.setCompression(0);
        writer.setComment(QStringLiteral("note"));
        ZipWriter::Lead lead;
        const std::vector<ZipWriter::Entry> entries{{volume, "rel.r00"}, {volume + ".x", "x", QByteArray("extra")}};
        QCOMPARE(writer.takeBeside(dir.filePath("rel01.zip"), entries.front(), lead), 0);
        QVERIFY(!QFile::exists(volume) && lead.tookFile());
        if (whole)
            QCOMPARE(writer.finishBeside(lead, entries), 0);
        QCOMPARE(readZip(lead.besideName).entry("rel.r00"), bytes);
        ZipWriter::discard(lead);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"rel.r00"});
        QCOMPARE(readFile(volume), bytes);
        QCOMPARE(QFileInfo(volume).lastModified(), stamped);
    }

    void writerMethods_data()
    {
        QTest::addColumn<int>("zipcomp");
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("noise");
        QTest::newRow("store") << 0 << int(ZIP_CM_STORE) << false;
        QTest::newRow("fastest") << 1 << int(ZIP_CM_DEFLATE) << false;
        QTest::newRow("data that does not compress is stored") << 5 << int(ZIP_CM_STORE) << true;
    }
    void writerMethods()
    {
        QFETCH(int, zipcomp);
        QFETCH(int, method);
        QFETCH(bool, noise);
        QTemporaryDir dir;
        ZipWriter writer;
        writer.setCompression(zipcomp);
        QList<int> progress;
        writer.setProgressHandler([&](int percent) { progress << percent; });
        const QString text =
            noise ? makeNoise(dir.filePath("text.txt"), 200000) : makeFile(dir.filePath("text.txt"), 200000);
        QCOMPARE(writer.write(dir.filePath("a.zip"), {{text, QStringLiteral("text.txt")}}), 0);
        const ZipContents zip = readZip(dir.filePath("a.zip"));
        QCOMPARE(zip.methods, QList<int>{method});
        QCOMPARE(zip.entry("text.txt"), readFile(text));
        QCOMPARE(writer.lastZipCrc(), SfvFile::fileCrc(dir.filePath("a.zip")).value_or(0));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last(), 100);
    }

    void writerReplacesExistingZip()
    {
        QTemporaryDir dir;
        ZipWriter writer;
        const QString a = makeFile(dir.filePath("a"), QByteArray("first"));
        const QString b = makeFile(dir.filePath("b"), QByteArray("kept"));
        QCOMPARE(writer.write(dir.filePath("z.zip"), {{a, QStringLiteral("a")}, {b, QStringLiteral("b")}}), 0);
        makeFile(a, QByteArray("second"));
        QCOMPARE(writer.write(dir.filePath("z.zip"), {{a, QStringLiteral("a")}}), 0);
        const ZipContents zip = readZip(dir.filePath("z.zip"));
        QCOMPARE(zip.names, QStringList({"a"}));
        QCOMPARE(zip.entry("a"), QByteArray("second"));
    }

    void writerMatchesLibrary_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("comment");
        QTest::newRow("a volume alone") << QStringList{"rel.r00"} << QString();
        QTest::newRow("a volume, the diz, a zip row and a comment")
            << QStringList{"rel.r00", "file_id.diz", "rel.nfo"} << QStringLiteral("Released by the test");
        QTest::newRow("a later entry of the same name replaces the first") << QStringList{"a", "b", "a"} << QString();
        QTest::newRow("an empty first file") << QStringList{"empty", "b"} << QString();
    }
    void writerMatchesLibrary()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, comment);
        QTemporaryDir dir;
        std::vector<ZipWriter::Entry> entries;
        for (qsizetype i = 0; i < names.size(); ++i) {
            const qint64 size = names.at(i) == u"empty" ? 0 : (i == 0 ? 3 * 1024 * 1024 + 17 : 100 + i);
            entries.push_back({makeFile(dir.filePath(QString::number(i)), size), names.at(i)});
        }
        ZipWriter writer;
        writer.setCompression(0);
        writer.setComment(comment);
        QCOMPARE(writer.write(dir.filePath("ours.zip"), entries), 0);
        QCOMPARE(readFile(dir.filePath("ours.zip")), libraryZip(dir.filePath("library.zip"), entries, comment));
        QCOMPARE(writer.lastZipCrc(), SfvFile::fileCrc(dir.filePath("ours.zip")).value_or(0));
        QCOMPARE(QDir(dir.path()).entryList({"*.zip*"}), QStringList({"library.zip", "ours.zip"}));
    }

    void writerAbort_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("adding to a zip") << true;
        QTest::newRow("a new zip") << false;
    }
    void writerAbort()
    {
        QFETCH(bool, existing);
        QTemporaryDir dir;
        ZipWriter writer;
        writer.setCompression(0);
        const QString a = makeFile(dir.filePath("a"), QByteArray("before"));
        if (existing)
            QCOMPARE(writer.write(dir.filePath("z.zip"), {{a, QStringLiteral("a")}}), 0);
        const QByteArray before = readFile(dir.filePath("z.zip"));
        bool abort = false;
        writer.setProgressHandler([&](int percent) { abort = percent > 0; });
        writer.setCancelCheck([&] { return abort; });
        const QString big = makeFile(dir.filePath("big"), 4 * 1024 * 1024);
        const int code = writer.write(dir.filePath("z.zip"), {{big, QStringLiteral("big")}, {a, QStringLiteral("a")}});
        QCOMPARE(code, int(ZIP_ER_CANCELLED));
        QCOMPARE(readFile(dir.filePath("z.zip")), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), existing ? 3 : 2);
    }
};

QTEST_GUILESS_MAIN(TestZipStage)
#include "tst_zipstage.moc"
