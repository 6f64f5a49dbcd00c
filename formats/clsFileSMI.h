// The SAMI format (".smi", ".sami"): a small tag scanner reads the SAMI skeleton, the head's
// TITLE, SAMIParam and STYLE into the properties form and every SYNC into an entry; the writer
// puts the form's header parts around one paragraph per entry.
#pragma once

#include "formats/clsFileSMIFrm1.h"
#include "formats/intFile.h"
#include "formats/intSettings.h"

#include <QStringList>

class clsSettingsSMI : public SettingsOf<clsFileSMIFrm1> {
public:
    clsSettingsSMI() : SettingsOf<clsFileSMIFrm1>(QStringLiteral("SAMI")) {}
};

class clsFileSMI : public FileOf<clsSettingsSMI, clsFileSMIFrm1> {
public:
    clsFileSMI();

    bool Save(clsSubs& Subs) override;
    bool Load(clsSubs& Subs) override;
    QString SettingSig() const override { return QStringLiteral("SAMI"); }

    // The whole file as Save writes it, from the form's settings.
    static QString Compose(const clsSubs& Subs, const clsFileSMIFrm1& F);

private:
    QStringList lines_; // the line store of the last load
};
