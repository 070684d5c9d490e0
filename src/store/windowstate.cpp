// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — varko2k.ini: the main window's state, geometry, splitters and browser folder.
#include "store/windowstate.h"

#include "platform/plainfile.h"
#include "store/lineformat.h"
#include "store/settingsschema.h"
#include "store/storeresult.h"

#include <QDir>

namespace {

constexpr int kDesignedHeight = 7270;
constexpr int kDesignedWidth = 9900;
constexpr int kFallbackHeight = 4820;
constexpr int kFallbackWidth = 5850;
constexpr int kShortHeight = 5230;

int centredTop(ScreenTwips screen)
{
    return (screen.height - kShortHeight) / 2 + 1300;
}

int centredLeft(ScreenTwips screen)
{
    return (screen.width - kFallbackWidth) / 2;
}

std::optional<int> numberAt(const QStringList &lines, int line, int column)
{
    const std::optional<qint16> value = parseLenientNumber(valueFromColumn(lines.at(line - 1), column));
    return value ? std::optional<int>(*value) : std::nullopt;
}

void readGeometry(const QStringList &lines, ScreenTwips screen, WindowPlacement &placement)
{
    if (const auto top = numberAt(lines, 3, 6)) {
        if (*top < 1)
            placement.height = kShortHeight;
        placement.top = (*top < 1 || *top > screen.height) ? centredTop(screen) : *top;
    }
    if (const auto left = numberAt(lines, 4, 7))
        placement.left = (*left < 1 || *left > screen.width) ? centredLeft(screen) : *left;
    if (const auto height = numberAt(lines, 5, 9)) {
        const int taken = *height < 3000 ? kFallbackHeight : *height;
        placement.height = taken > screen.height ? kFallbackHeight : taken;
    }
    if (const auto width = numberAt(lines, 6, 8))
        placement.width = *width > screen.width ? kFallbackWidth : *width;
}

} // namespace

QStringList windowStateLines(const QString &version, const WindowSnapshot &window, ScreenTwips screen)
{
    QStringList lines{QStringLiteral("Version=") + version};
    if (window.show == WindowSnapshot::Show::Minimized) {
        // A minimized window comes back normal and centred.
        lines << numberLine(QStringLiteral("State="), 0)
              << numberLine(QStringLiteral("Top="), (screen.height - kFallbackHeight) / 2 + 1300)
              << numberLine(QStringLiteral("Left="), centredLeft(screen))
              << numberLine(QStringLiteral("Height="), kDesignedHeight)
              << numberLine(QStringLiteral("Width="), kDesignedWidth);
    } else {
        const bool maximized = window.show == WindowSnapshot::Show::Maximized;
        lines << numberLine(QStringLiteral("State="), maximized ? 2 : 0)
              << numberLine(QStringLiteral("Top="), window.top) << numberLine(QStringLiteral("Left="), window.left)
              << numberLine(QStringLiteral("Height="), maximized ? kDesignedHeight : window.height)
              << numberLine(QStringLiteral("Width="), maximized ? kDesignedWidth : window.width);
    }
    lines << numberLine(QStringLiteral("Panel1.width="), window.panel1Width)
          << numberLine(QStringLiteral("Panel3.top="), window.panel3Top) << QStringLiteral("Dir=") + window.dir;
    return lines;
}

QStringList defaultWindowStateLines(const QString &version, int state, ScreenTwips screen)
{
    return {QStringLiteral("Version=") + version,
            numberLine(QStringLiteral("State="), state),
            numberLine(QStringLiteral("Top="), (screen.height - kShortHeight) / 2),
            numberLine(QStringLiteral("Left="), centredLeft(screen)),
            numberLine(QStringLiteral("Height="), kDesignedHeight),
            numberLine(QStringLiteral("Width="), kDesignedWidth),
            numberLine(QStringLiteral("Panel1.width="), 2410),
            numberLine(QStringLiteral("Panel3.top="), 1500),
            QStringLiteral("Dir=") + QDir::homePath()};
}

WindowPlacement readWindowState(const QStringList &lines, ScreenTwips screen)
{
    WindowPlacement placement;
    if (lines.size() < kWindowStateLineCount)
        return placement;

    if (valueFromColumn(lines.at(1), 8) == u"2") {
        placement.maximize = true; // the geometry lines are not applied
    } else {
        if (const auto state = numberAt(lines, 2, 8))
            placement.state = *state == 1 ? 0 : *state;
        readGeometry(lines, screen, placement);
    }
    if (const auto panel1 = numberAt(lines, 7, 14); panel1 && *panel1 != 0) {
        placement.panel1 = *panel1 < 2100 ? WindowPlacement::Splitter::Half : WindowPlacement::Splitter::Value;
        placement.panel1Width = *panel1;
    }
    if (const auto panel3 = numberAt(lines, 8, 12); panel3 && *panel3 != 0)
        placement.panel3Top = *panel3;
    placement.dir = valueFromColumn(lines.at(8), 5);
    // A folder cut at a NUL would show some other folder than the one stored.
    if (const QString problem = textValueProblem(placement.dir); !problem.isEmpty()) {
        placement.dir.clear();
        placement.dirRefused = SettingsFault{kWindowStateLineCount, QStringLiteral("Dir"), problem}.describe(QString());
    }
    return placement;
}

WindowPlacement loadWindowStateFile(const QString &path, const QString &version, int currentState, ScreenTwips screen)
{
    const std::optional<QByteArray> bytes = readWholeFile(path);
    QStringList lines = bytes ? splitLines(*bytes) : QStringList();
    if (lines.size() < kWindowStateLineCount) {
        lines = defaultWindowStateLines(version, currentState, screen);
        // A pipe, a device or a folder under the file's name is the user's: it is not replaced.
        if (!holdsNonFile(path))
            writeWholeFile(path, joinLines(lines), QString());
    }
    WindowPlacement placement = readWindowState(lines, screen);
    if (!placement.dirRefused.isEmpty())
        placement.dirRefused.prepend(path);
    return placement;
}

bool saveWindowStateFile(const QString &path, const QString &version, const WindowSnapshot &window, ScreenTwips screen)
{
    return writeWholeFile(path, joinLines(windowStateLines(version, window, screen)), QString()).ok;
}
