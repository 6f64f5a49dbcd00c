// SubRip files: numbered entries of a time line and text lines, each ended by a blank line. The
// default format for every extension the format choice doesn't know.
#pragma once

#include "formats/clsSettingsSRT.h"
#include "formats/intFile.h"

class clsFileSRT : public FileOf<clsSettingsSRT, clsFileSRTFrm1> {
public:
    clsFileSRT();

    bool Save(clsSubs& Subs) override;
    bool Load(clsSubs& Subs) override;
    QString SettingSig() const override { return QStringLiteral("SRT"); }

    // The whole file text for the list, as Save writes it.
    QString Compose(const clsSubs& Subs) const;

private:
    // Reads the lines into the list; throws on a fault, with entry counting the entries begun.
    void parse(const QStringList& lines, clsSubs& Subs, clsFileSRTFrm1* frm, int& entry);
};
