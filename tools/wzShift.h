// The shift tool's wizard: the sub marker, the time marker and the range, asked one page at a
// time, on markers of its own seeded from the main window's.
#pragma once

#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tools/ToolWizard.h"
#include "tools/frmSubSelector.h"
#include "visual/frmTimeSelector.h"

#include <QPointer>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class SubMarkerField;
class TimeMarkerField;
class TimeText;

class wzShift : public ToolWizard {
    Q_OBJECT
public:
    explicit wzShift(ToolHost* host, QWidget* parent = nullptr);

    // c: the document; defSel and defTime: the main window's shift markers.
    void SetSubs(clsSubs* c, int defSel, qint32 defTime);

    QFrame* Picture2;
    QLineEdit* txtFakeCombo;
    QToolButton* btFakeCombo;
    QFrame* picFakeCombo2;
    TimeText* txtFakeCombo2;
    QToolButton* btFakeCombo2;
    QRadioButton* chSelection;
    QRadioButton* chFile;
    QLabel* Label2;

    // The wizard's own markers.
    clsTime* cSel = nullptr;
    clsTime* cSelT = nullptr;
    // The pickers live as long as the wizard shows.
    QPointer<frmSubSelector> SubSelector;
    QPointer<frmTimeSelector> TimeSelector;

protected:
    void PageEntry(int page) override;
    bool Finish() override;

private slots:
    void btFakeCombo_Click();
    void btFakeCombo2_Click();
    void chSelection_Click();
    void cSel_Change();

private:
    QPointer<clsSubs> cSubs;
    SubMarkerField* subField_;
    TimeMarkerField* timeField_;
};
