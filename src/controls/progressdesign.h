// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the progress bar's design: its properties in stored order with their defaults.
#pragma once

#include <QList>
#include <QVariant>

/** One property of a saved design: its name and the value it has when none is stored. */
struct DesignProperty
{
    const char *name;
    QVariant defaultValue;
};

/**
 * Every stored property of the progress bar, in the order a design stores
 * them, with its default: button-face background, window-text text, a thin
 * sunken border, a navy bar with white text, tiled pictures, 0 of 0 to 100,
 * centred hidden text, the window system's font and no segments.
 */
QList<DesignProperty> progressBarDesign();

/** `value` as a settings store keeps it: colours as codes, pictures as PNG bytes, fonts as text. */
QVariant toStored(const QVariant &value);

/**
 * The stored form `stored` read back as a value of `defaultValue`'s type;
 * `defaultValue` when nothing is stored or it cannot be read as that type.
 */
QVariant fromStored(const QVariant &stored, const QVariant &defaultValue);
