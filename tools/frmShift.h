// The shift tool's dialog: moves the whole list, or the selected rows, so that the marked
// subtitle starts at the marked time. Bound once to the main window's shift markers.
#pragma once

#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tools/ToolDialog.h"

#include <QPointer>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SubMarkerField;
class TimeMarkerField;
class TimeText;

class frmShift : public ToolDialog {
    Q_OBJECT
public:
    explicit frmShift(ToolHost* host, QWidget* parent = nullptr);

    // The main window's document, play time, selected subtitle and shift markers.
    void SetStructs(clsSubs* Subs, clsTime* Time, clsTime* Sel, clsTime* MarkS, clsTime* MarkT);

    QGroupBox* frMarkSub;
    QLineEdit* txtMarkerSub;
    QPushButton* GotoSub;
    QPushButton* btMarkCurrentSub;
    QPushButton* btUseTime;
    QGroupBox* frMarkTime;
    TimeText* txtMarkerTime;
    QPushButton* GotoTime;
    QPushButton* btMarkCurrentTime;
    QGroupBox* frApply;
    QRadioButton* chFile;
    QRadioButton* chSel;

private slots:
    void btOk_Click();
    void btMarkCurrentSub_Click();
    void btMarkCurrentTime_Click();
    void btUseTime_Click();
    void GotoSub_Click();
    void GotoTime_Click();

private:
    QPointer<clsSubs> cSubs;
    QPointer<clsTime> cTime, cSel, cMarkS, cMarkT;
    SubMarkerField* subField_;
    TimeMarkerField* timeField_;
};
