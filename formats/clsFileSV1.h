// SubViewer 1.0 files: a fixed header of tag and value lines, then entries timed to the whole
// second. The properties form shows after a load and before every save.
#pragma once

#include "formats/clsFileSV1Frm1.h"
#include "formats/intFile.h"
#include "formats/intSettings.h"

class clsSettingsSV1 : public SettingsOf<clsFileSV1Frm1> {
public:
    clsSettingsSV1() : SettingsOf(QStringLiteral("SubViewer 1.0")) {}
};

class clsFileSV1 : public FileOf<clsSettingsSV1, clsFileSV1Frm1> {
public:
    clsFileSV1();
    bool Save(clsSubs& Subs) override;
    bool Load(clsSubs& Subs) override;
    QString SettingSig() const override { return QStringLiteral("SubViewer 1.0"); }
};
