// Varko 2000 — a stand-in for the main window that records what the readers mirror.
#pragma once

#include "store/settingsschema.h"

#include <QList>

struct MirroredSetting
{
    SettingKey key;
    RipSettings settings;
    SettingsMirrors::Origin origin;
};

class SettingsRecorder : public SettingsMirrors
{
public:
    void mirrorSetting(SettingKey key, const RipSettings &settings, Origin origin) override
    {
        seen.append({key, settings, origin});
    }

    QList<MirroredSetting> seen;
};
