// Raw text files: records of up to three fields (time-in, time-out, text) in an order the user
// chooses, with chosen field and record delimiters. The layout form shows before every read
// and every write; the progress window shows while a file is parsed.
#pragma once

#include "formats/clsFileRAWFrm1.h"
#include "formats/intFile.h"
#include "formats/intSettings.h"

class clsSettingsRAW : public SettingsOf<clsFileRAWFrm1> {
public:
    clsSettingsRAW() : SettingsOf(QStringLiteral("Raw text")) {}
};

class clsFileRAW : public FileOf<clsSettingsRAW, clsFileRAWFrm1> {
public:
    clsFileRAW();
    bool Save(clsSubs& Subs) override;
    bool Load(clsSubs& Subs) override;
    QString SettingSig() const override { return QStringLiteral("Raw text"); }
};
