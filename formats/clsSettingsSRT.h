// The SubRip settings block: it holds the SubRip properties form, whose decimal character is
// the format's one setting.
#pragma once

#include "formats/clsFileSRTFrm1.h"
#include "formats/intSettings.h"

class clsSettingsSRT : public SettingsOf<clsFileSRTFrm1> {
public:
    clsSettingsSRT() : SettingsOf<clsFileSRTFrm1>(QStringLiteral("SRT")) {}
};
