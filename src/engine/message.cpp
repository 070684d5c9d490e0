// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the message boxes the engine asks the window to show, with their exact texts.
#include "engine/message.h"

#include "store/textformat.h"

namespace {

const QString kTitle = QStringLiteral("Varko 2000");
const QString kErrorTitle = QStringLiteral("Varko 2000 error");

} // namespace

Message Message::of(const StoreResult &result)
{
    return {result.message, result.title, result.icon, Buttons::Ok};
}

Message Message::noDizInQueue()
{
    return {QStringLiteral("No file_id.diz in Queue"), kTitle, Icon::Question, Buttons::OkCancel};
}

Message Message::tooManyFiles()
{
    // The user has always read "achive" here; the text stays as it is.
    return {QStringLiteral("Can't have more than 999 files in the set\r"
                           "Raise the achive size, or choose a source with a smaller size"),
            kErrorTitle, Icon::Critical, Buttons::Ok};
}

Message Message::folderFound()
{
    return {QStringLiteral("Folder found, save paths?"), kTitle, Icon::Question, Buttons::YesNoCancel};
}

Message Message::zipError(int code)
{
    return {QStringLiteral("Zip errror - ") + numberText(code), kErrorTitle, Icon::Exclamation, Buttons::Ok};
}

Message Message::queueFileMoved()
{
    return {QStringLiteral("Queue error, file moved"), kErrorTitle, Icon::Critical, Buttons::Ok};
}

Message Message::renameNewDiz()
{
    return {QStringLiteral("Rename New diz to file_id.diz?"), kTitle, Icon::Question, Buttons::YesNo};
}

Message Message::invalidBaseName()
{
    return {QStringLiteral("Invalid filename characters"), kErrorTitle, Icon::Exclamation, Buttons::Ok};
}

Message Message::replaceZips(const QString &firstName, int more, const QString &folder)
{
    // "and 0 more zips" reads as a fault: one zip is named alone.
    const QString text = more == 0
        ? QStringLiteral("%1 already exists in %2. Replace it?").arg(firstName, folder)
        : QStringLiteral("%1 and %2 more zips of this set already exist in %3. Replace them?")
              .arg(firstName)
              .arg(more)
              .arg(folder);
    return {text, kTitle, Icon::Question, Buttons::YesNo};
}

bool Message::isReplaceZips(const Message &message)
{
    if (message.buttons != Buttons::YesNo)
        return false;
    const QString &text = message.text;
    return (text.contains(QStringLiteral(" more zips of this set already exist in "))
            && text.endsWith(QStringLiteral(". Replace them?")))
        || (text.contains(QStringLiteral(" already exists in ")) && text.endsWith(QStringLiteral(". Replace it?")));
}

Message Message::runFailed(const QString &text)
{
    return {text, kErrorTitle, Icon::Critical, Buttons::Ok};
}
