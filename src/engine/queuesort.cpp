// Varko 2000 — the keys the queue sorts its Size and Modified columns by.
#include "engine/queuesort.h"

#include <QDateTime>
#include <QRegularExpression>

#include <limits>

namespace {

constexpr qint64 kNoKey = std::numeric_limits<qint64>::min();

qint64 minutesSince1900(const QDate &date, int hour, int minute)
{
    return QDate(1900, 1, 1).daysTo(date) * 24 * 60 + hour * 60 + minute;
}

} // namespace

qint64 sizeSortKey(const QString &sizeText)
{
    QString digits = sizeText.chopped(std::min<qsizetype>(2, sizeText.size()));
    digits.remove(u',');
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return ok ? value : kNoKey;
}

qint64 modifiedSortKey(const QString &modifiedText)
{
    if (modifiedText.isEmpty())
        return minutesSince1900(QDate(1899, 12, 30), 0, 0);
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{2}) (\d{1,2}):(\d{2}) (AM|PM)$)"));
    const QRegularExpressionMatch m = pattern.match(modifiedText);
    if (!m.hasMatch())
        return kNoKey;
    const int shortYear = m.captured(3).toInt();
    const QDate date(shortYear < 30 ? 2000 + shortYear : 1900 + shortYear, m.captured(1).toInt(),
                     m.captured(2).toInt());
    const int hour12 = m.captured(4).toInt();
    const int minute = m.captured(5).toInt();
    if (!date.isValid() || hour12 < 1 || hour12 > 12 || minute > 59)
        return kNoKey;
    const int hour = hour12 % 12 + (m.captured(6) == u"PM" ? 12 : 0);
    return minutesSince1900(date, hour, minute);
}
