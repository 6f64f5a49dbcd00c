// The SubStation Alpha format (".ssa"): reads version 4 and version 4+ scripts (the script
// information and the first style into the options form, the Dialogue events into the
// document) and writes version 4+ scripts with one style, "Default".
#pragma once

#include "formats/clsFileSSAFrm1.h"
#include "formats/intFile.h"
#include "formats/intSettings.h"

#include <QStringList>

class clsSettingsSSA : public SettingsOf<clsFileSSAFrm1> {
public:
    clsSettingsSSA() : SettingsOf<clsFileSSAFrm1>(QStringLiteral("SSA v4.00(+)")) {}
};

class clsFileSSA : public FileOf<clsSettingsSSA, clsFileSSAFrm1> {
public:
    clsFileSSA();

    bool Save(clsSubs& Subs) override;
    bool Load(clsSubs& Subs) override;
    QString SettingSig() const override { return QStringLiteral("SSA v4.00(+)"); }

    // The whole file as Save writes it, from the form's settings.
    static QString Compose(const clsSubs& Subs, const clsFileSSAFrm1& F);
    // "h:mm:ss.cc" with as many hour digits as needed; negative times as 0.
    static QString SsaTime(qint32 ms);
    // Reads a time by its fields: hours of any length, minutes, seconds and a fraction of
    // any length taken as a fraction of a second (to the nearest ms, halves to even).
    static qint32 ParseSsaTime(const QString& text);

private:
    QStringList lines_; // the line store of the last load
};
