// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — cue.txt: the queue and the packing settings as a plain-text listing.
#include "store/queuelisting.h"

#include "store/lineformat.h"
#include "store/storeresult.h"
#include "store/textformat.h"

namespace {

constexpr int kZoneWidth = 14;
const QString kIndent(kZoneWidth, u' ');

// A line built by columns (1-based), like a printer with zones and tabs.
class ColumnLine
{
public:
    ColumnLine &text(const QString &text)
    {
        m_line += text;
        return *this;
    }

    // The next zone column (1, 15, 29, ...) after the text so far. A text
    // that reaches a zone's first column moves on one zone, so two columns
    // never touch.
    ColumnLine &zone(const QString &text)
    {
        const int next = m_line.size() + 1;
        int column = 1;
        while (column <= next)
            column += kZoneWidth;
        return pad(column).text(text);
    }

    // Column `column`, or one blank further on when the text so far reaches it.
    ColumnLine &tab(int column, const QString &text)
    {
        if (m_line.size() + 1 > column)
            return this->text(u' ' + text);
        return pad(column).text(text);
    }

    QString str() const { return m_line; }

private:
    ColumnLine &pad(int column)
    {
        m_line += QString(column - 1 - m_line.size(), u' ');
        return *this;
    }

    QString m_line;
};

QString levelName(int level)
{
    static const char *const names[] = {"Store", "Fastest", "Fast", "Normal", "Good", "Maximum"};
    return level >= 0 && level <= 5 ? QLatin1String(names[level]) : QString();
}

QString rowLine(const QueueListingInput::Row &row)
{
    return ColumnLine()
        .text(u' ' + row.name.left(12))
        .zone(row.size)
        .zone(row.type.left(13))
        .zone(row.date)
        .tab(63, row.path.left(18))
        .tab(85, row.in)
        .str();
}

QStringList tableLines(const QueueListingInput &input)
{
    QStringList lines{input.caption, QString(), QString(),
                      ColumnLine()
                          .text(QStringLiteral(" File"))
                          .tab(15, QStringLiteral("Size"))
                          .tab(29, QStringLiteral("Type"))
                          .tab(43, QStringLiteral("Date"))
                          .tab(63, QStringLiteral("Path"))
                          .tab(85, QStringLiteral("In"))
                          .str(),
                      ColumnLine()
                          .text(QStringLiteral(" ----"))
                          .tab(15, QStringLiteral("----"))
                          .tab(29, QStringLiteral("----"))
                          .tab(43, QStringLiteral("----"))
                          .tab(63, QStringLiteral("----"))
                          .tab(85, QStringLiteral("--"))
                          .str()};
    for (const QueueListingInput::Row &row : input.rows)
        lines << rowLine(row);
    lines << QStringLiteral(
        " ------------ ------------- ------------- ------------------- --------------------- ------------")
          << ColumnLine()
                 .text(QStringLiteral(" Total: ") + numberText(input.rows.size()))
                 .zone(formatThousands(input.totalKB) + QStringLiteral("KB"))
                 .str();
    return lines;
}

QString estimateLine(const QueueListingInput &input)
{
    if (input.sizePosition != 0 && input.estimate > 1)
        return QStringLiteral("  ") + formatTwoDecimals(input.estimate) + QStringLiteral(" Estimated files");
    return QStringLiteral("  1 file");
}

QString tempFolderLine(const QueueListingInput &input)
{
    const QString head = QStringLiteral("  Temp. drive:    ") + folderWithSlash(input.settings.tdrive);
    if (!input.tempFreeBytes)
        return head + QStringLiteral(" - Error!");
    return head + QStringLiteral("     ") + formatThousands(double(*input.tempFreeBytes) / 1048576.0)
        + QStringLiteral("M Free");
}

QStringList zipLines(const QueueListingInput &input)
{
    if (input.zipText != u"Zip")
        return {QStringLiteral("No Zips")};
    const RipSettings &s = input.settings;
    QStringList lines{QStringLiteral("Zip")};
    if (s.nfo1st == 1)
        lines << QStringLiteral("  Nfo in 1st zip only");
    if (s.dnumber == 1)
        lines << QStringLiteral("  Diz auto-number");
    lines << QStringLiteral("  ") + levelName(s.zipcomp) + QStringLiteral(" compression");
    lines << (s.zcomment != 0 ? QStringLiteral("  Zip comment:    ") + s.comment : QStringLiteral("  No zip comment"));
    return lines;
}

QStringList settingsLines(const QueueListingInput &input)
{
    QStringList indented;
    indented << (input.archiveSizeText == u"1 file"
                     ? QStringLiteral("  1 Max file")
                     : QStringLiteral("  ") + input.archiveSizeText + QStringLiteral(" size"))
             << estimateLine(input)
             << QStringLiteral("  ") + levelName(input.settings.racomp) + QStringLiteral(" compression")
             << (input.pathsText.isEmpty() ? QStringLiteral("  No paths stored") : QStringLiteral("  Include paths"))
             << tempFolderLine(input) << QString() << zipLines(input) << QString()
             << QStringLiteral("  Rip-to folder:  ") + input.settings.riptodir << QString();
    QStringList lines{QString(), QString(), QString(),
                      ColumnLine().text(QStringLiteral("  Settings:")).zone(input.archiveTypeText).str()};
    for (const QString &line : indented)
        lines << (line.isEmpty() ? line : kIndent + line);
    return lines;
}

} // namespace

QStringList queueListingLines(const QueueListingInput &input)
{
    return tableLines(input) + settingsLines(input);
}

bool writeQueueListing(const QString &path, const QueueListingInput &input)
{
    return writeWholeFile(path, joinLines(queueListingLines(input)), QString()).ok;
}
