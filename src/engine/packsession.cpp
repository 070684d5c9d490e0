// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one packing of a loaded queue: the rip run and what its set gets, for the window and --pack alike.
#include "engine/packsession.h"

#include "engine/sfvfile.h"
#include "engine/volumenames.h"
#include "par2/par2reader.h"
#include "par2/par2writer.h"
#include "store/storeresult.h"
#include "store/textformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

PackSession::PackSession(const Queue &queue, RipSettings &settings, RipState &state, PackOptions options,
                         RipEnvironment environment)
    : m_queue(queue)
    , m_settings(settings)
    , m_state(state)
    , m_options(std::move(options))
    , m_env(std::move(environment))
{
}

bool PackSession::loadZipComment(QString *why)
{
    if (m_settings.zcomment != 1 || m_settings.comment.isEmpty())
        return true;
    const std::optional<QString> comment = readZipComment(m_settings.comment, why);
    m_comment = comment.value_or(QString());
    return comment.has_value();
}

bool PackSession::pack(RipHost host)
{
    m_report = &host.report;
    m_run.emplace(m_queue, m_settings, m_state, host, m_settings.size, m_env);
    m_run->setZipComment(m_comment);
    // Taken while the zips are written when recovery files are asked for now; otherwise read later if need be.
    m_run->takeRecoveryChecksums(recoveryPercent() > 0);
    m_run->run();
    removeWorkFolder();
    return writeSfv() && writeRecovery();
}

const RunResult &PackSession::result() const
{
    static const RunResult none;
    return m_run ? m_run->result() : none;
}

bool PackSession::isComplete() const
{
    const RunResult::Outcome outcome = result().outcome;
    return outcome == RunResult::Outcome::Complete || outcome == RunResult::Outcome::CompleteWithWarnings;
}

RunSummary PackSession::summary() const
{
    RunSummary summary;
    summary.folder = m_settings.riptodir;
    summary.zipping = isZipping(m_settings);
    if (m_run) {
        summary.baseName = m_run->baseName();
        summary.files = summary.zipping ? int(m_run->zipChecksums().size()) : m_run->volumeCount();
    }
    return summary;
}

void PackSession::note(const QString &text, RunReport::Note kind) const
{
    if (m_report)
        m_report->note(text, kind);
}

// What a failed run leaves in its work folder would otherwise stay in the temporary folder for good.
void PackSession::removeWorkFolder()
{
    const QString folder = m_run->tempWorkFolder();
    if (!m_options.removeWorkFolder || folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    if (QDir(folder).removeRecursively())
        note(QStringLiteral("removed the work folder ") + folder, RunReport::Note::Remark);
    else
        note(QStringLiteral("could not remove the work folder ") + folder, RunReport::Note::Remark);
}

// The .sfv lists the zips a complete run made, with the CRCs taken as they were written.
bool PackSession::writeSfv()
{
    if (!isComplete() || !m_options.writeSfv || !m_options.writeSfv())
        return true;
    if (!isZipping(m_settings)) {
        note(QStringLiteral("zipping is off: no .sfv, which lists zips"), RunReport::Note::Remark);
        return true;
    }
    const StoreResult written = SfvFile::write(m_settings.riptodir, m_run->baseName(), m_run->zipChecksums());
    if (!written.ok)
        note(written.detail, RunReport::Note::Failure);
    return written.ok;
}

// PAR2 files of the set's name that cover nothing but zips of its names describe zips this run
// replaced, and go. Files that cover anything else, or cannot be read, are someone's own and stay:
// the first of them is returned, empty when none is left.
QString PackSession::keptOldRecovery() const
{
    const QStringList files = par2SetFiles(m_settings.riptodir, m_run->baseName());
    if (files.isEmpty())
        return {};
    const Par2Set old = readPar2Set(files);
    const auto zipOfSet = [this](const Par2SetFile &file) {
        return isSetZipName(m_run->baseName(), QString::fromUtf8(file.description.name));
    };
    if (!old.error.isEmpty() || old.files.isEmpty() || !std::all_of(old.files.begin(), old.files.end(), zipOfSet))
        return files.first();
    for (const QString &file : files)
        QFile::remove(file);
    return {};
}

int PackSession::recoveryPercent() const
{
    return m_options.par2Percent ? m_options.par2Percent() : 0;
}

namespace {

quint64 totalSize(const QStringList &files)
{
    quint64 total = 0;
    for (const QString &file : files)
        total += quint64(QFileInfo(file).size());
    return total;
}

} // namespace

// Recovery files over the zips a complete run made, so that lost or damaged zips can be rebuilt.
// Those of an earlier set of the name go first.
bool PackSession::writeRecovery()
{
    const int percent = recoveryPercent();
    if (!isComplete())
        return true;
    if (!isZipping(m_settings)) {
        if (percent > 0)
            note(QStringLiteral("zipping is off: no PAR2 files, which cover zips"), RunReport::Note::Remark);
        return true;
    }
    const QString kept = keptOldRecovery();
    if (percent <= 0)
        return true;
    if (!kept.isEmpty()) {
        note(kept + QStringLiteral(" covers other files than this set's zips: no PAR2 files written over it"),
             RunReport::Note::Failure);
        return false;
    }
    QStringList zips;
    for (const SfvFile::Line &zip : m_run->zipChecksums())
        zips << folderWithSlash(m_settings.riptodir) + zip.name;
    Par2Options options;
    options.percent = percent;
    const RecoveryChecksums &taken = m_run->recoveryChecksums();
    options.sliceSize = taken.sliceSize > 0 ? taken.sliceSize : par2SliceSizeFor(totalSize(zips));
    options.checksums = taken.byZip;
    const Par2WriteResult written = writePar2(zips, folderWithSlash(m_settings.riptodir) + m_run->baseName(), options);
    if (!written.error.isEmpty()) {
        note(written.error, RunReport::Note::Failure);
        return false;
    }
    note(QStringLiteral("wrote %1 PAR2 files").arg(written.files.size()), RunReport::Note::Remark);
    return true;
}

// The set just made, tested as anyone receiving it would: its faults are the run's.
bool PackSession::testSet()
{
    if (!isComplete() || !m_options.testSet)
        return true;
    if (!isZipping(m_settings)) {
        note(QStringLiteral("zipping is off: no set of zips to test"), RunReport::Note::Remark);
        return true;
    }
    return m_options.testSet(folderWithSlash(m_settings.riptodir) + m_run->baseName());
}
