// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the names of a set's volumes, derived from the first volume's name.
#pragma once

#include <cstddef>
#include <string>

/**
 * Names volume i (0 = the first) of a set whose first volume is `archive`:
 *   NAME.rar: NAME.rar, NAME.r00 ... NAME.r99, NAME.s00 ... NAME.z99 (what RAR
 *             readers look for after .r99; 901 volumes at most)
 *   NAME.001: NAME.001, NAME.002 ... NAME.999 (999 volumes at most)
 *   NAME.ace: NAME.ace, NAME.c00 ... NAME.c99, NAME.100 ... NAME.999 (1001 at most)
 */
class VolumeNaming
{
public:
    explicit VolumeNaming(const std::string &archive);

    std::string name(std::size_t index) const;
    std::size_t maxVolumes() const;
    /** Whether `fileName` (no folder) would be one of this set's volumes. */
    bool isVolumeName(const std::string &fileName) const;

private:
    enum class Style { Rar, Numbered, Ace };
    std::string extension(std::size_t index) const;

    std::string m_stem; // the archive path without its 3-letter extension, dot kept
    Style m_style = Style::Rar;
};
