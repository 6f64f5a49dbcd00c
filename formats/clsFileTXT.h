// MicroDVD files: one entry a line, timed by start and end frame numbers, with an optional
// first line that gives the frame rate. The properties form confirms the rate on every load and
// every save.
#pragma once

#include "formats/clsFileTXTFrm1.h"
#include "formats/intFile.h"
#include "formats/intSettings.h"

class clsSettingsTXT : public SettingsOf<clsFileTXTFrm1> {
public:
    clsSettingsTXT() : SettingsOf(QStringLiteral("MicroDVD")) {}
};

class clsFileTXT : public FileOf<clsSettingsTXT, clsFileTXTFrm1> {
public:
    clsFileTXT();
    bool Save(clsSubs& Subs) override;
    bool Load(clsSubs& Subs) override;
    QString SettingSig() const override { return QStringLiteral("MicroDVD"); }

    // The whole file text for the list at fps frames a second, lines broken by nl.
    static QString Compose(const clsSubs& Subs, double fps, const QString& nl);
};
