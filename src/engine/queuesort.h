// Varko 2000 — the keys the queue sorts its Size and Modified columns by.
#pragma once

#include <QString>

/**
 * The Size column as a number: "1,234KB" keys as 1234, the empty text as 0.
 * A text that is no number ("-----" of a missing file) keys below every
 * number, so such rows gather at one end instead of failing the sort.
 */
qint64 sizeSortKey(const QString &sizeText);

/**
 * The Modified column ("m/d/yy h:mm AMPM") as minutes since 1/1/1900; a two-digit year
 * below 30 is in the 2000s. The empty text keys as the zero date
 * (12/30/1899); a text that is no date ("-----") keys below every date.
 */
qint64 modifiedSortKey(const QString &modifiedText);
