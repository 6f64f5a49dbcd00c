// The stretch tool's dialog: re-times the whole list, or the selected rows, linearly so that two
// marked subtitles start at two marked times. Bound once to the main window's stretch markers.
#pragma once

#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tools/ToolDialog.h"

#include <QPointer>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SubMarkerField;
class TimeMarkerField;
class TimeText;

class frmStretch : public ToolDialog {
    Q_OBJECT
public:
    explicit frmStretch(ToolHost* host, QWidget* parent = nullptr);

    // The main window's document, play time, selected subtitle and the four stretch markers.
    void SetStructs(clsSubs* Subs, clsTime* Time, clsTime* Sel, clsTime* MarkS1, clsTime* MarkT1, clsTime* MarkS2,
                    clsTime* MarkT2);

    // Control arrays: index 0 for marker 1, 1 for marker 2.
    std::array<QGroupBox*, 2> frMarkSub;
    std::array<QLineEdit*, 2> txtMarkerSub;
    std::array<QPushButton*, 2> GotoSub;
    std::array<QPushButton*, 2> btMarkCurrentSub;
    std::array<QPushButton*, 2> btUseTime;
    std::array<QGroupBox*, 2> frMarkTime;
    std::array<TimeText*, 2> txtMarkerTime;
    std::array<QPushButton*, 2> GotoTime;
    std::array<QPushButton*, 2> btMarkCurrentTime;
    QGroupBox* frApply;
    QRadioButton* chFile;
    QRadioButton* chSel;

private slots:
    void btOk_Click();

private:
    void btMarkCurrentSub_Click(int i);
    void btMarkCurrentTime_Click(int i);
    void btUseTime_Click(int i);
    void GotoSub_Click(int i);
    void GotoTime_Click(int i);

    QPointer<clsSubs> cSubs;
    QPointer<clsTime> cTime, cSel, cMarkS1, cMarkT1, cMarkS2, cMarkT2;
    // The same markers by control index.
    std::array<QPointer<clsTime>, 2> subMarks_;
    std::array<QPointer<clsTime>, 2> timeMarks_;
    std::array<SubMarkerField*, 2> subFields_;
    std::array<TimeMarkerField*, 2> timeFields_;
};
