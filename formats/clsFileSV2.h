// SubViewer 2.0 files: an information header, one style line, then entries timed to the
// hundredth of a second. The properties form shows after a load and before every save.
#pragma once

#include "formats/clsFileSV2Frm1.h"
#include "formats/intFile.h"
#include "formats/intSettings.h"

class clsSettingsSV2 : public SettingsOf<clsFileSV2Frm1> {
public:
    clsSettingsSV2() : SettingsOf(QStringLiteral("SubViewer 2.0")) {}
};

class clsFileSV2 : public FileOf<clsSettingsSV2, clsFileSV2Frm1> {
public:
    clsFileSV2();
    bool Save(clsSubs& Subs) override;
    bool Load(clsSubs& Subs) override;
    QString SettingSig() const override { return QStringLiteral("SubViewer 2.0"); }
};
