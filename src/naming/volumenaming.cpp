// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the names of a set's volumes, derived from the first volume's name.
#include "naming/volumenaming.h"

#include <cstdio>

VolumeNaming::VolumeNaming(const std::string &archive)
    : m_stem(archive.substr(0, archive.size() >= 3 ? archive.size() - 3 : 0))
{
    const std::string ext = archive.size() >= 3 ? archive.substr(archive.size() - 3) : std::string();
    m_style = ext == "001" ? Style::Numbered : ext == "ace" ? Style::Ace : Style::Rar;
}

std::string VolumeNaming::extension(std::size_t index) const
{
    char text[32];
    switch (m_style) {
    case Style::Rar:
        if (index == 0)
            return "rar";
        std::snprintf(text, sizeof text, "%c%02zu", char('r' + (index - 1) / 100), (index - 1) % 100);
        return text;
    case Style::Numbered: std::snprintf(text, sizeof text, "%03zu", index + 1); return text;
    case Style::Ace:
        if (index == 0)
            return "ace";
        if (index <= 100)
            std::snprintf(text, sizeof text, "c%02zu", index - 1);
        else
            std::snprintf(text, sizeof text, "%03zu", index - 1);
        return text;
    }
    return {};
}

std::string VolumeNaming::name(std::size_t index) const
{
    return m_stem + extension(index);
}

std::size_t VolumeNaming::maxVolumes() const
{
    switch (m_style) {
    case Style::Rar: return 1 + 9 * 100; // .rar, then .r00 to .z99
    case Style::Numbered: return 999;
    case Style::Ace: return 1 + 100 + 900; // .ace, .c00 to .c99, .100 to .999
    }
    return 0;
}

bool VolumeNaming::isVolumeName(const std::string &fileName) const
{
    const std::size_t slash = m_stem.rfind('/');
    const std::string stemName = m_stem.substr(slash == std::string::npos ? 0 : slash + 1);
    if (fileName.size() != stemName.size() + 3 || fileName.compare(0, stemName.size(), stemName) != 0)
        return false;
    const std::string ext = fileName.substr(stemName.size());
    for (std::size_t i = 0; i < maxVolumes(); ++i) {
        if (extension(i) == ext)
            return true;
    }
    return false;
}
