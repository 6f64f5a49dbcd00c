// The stretch tool's wizard: the range, then two pairs of sub and time markers, asked one page at
// a time, on markers of its own seeded from the main window's.
#pragma once

#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tools/ToolWizard.h"
#include "tools/frmSubSelector.h"
#include "visual/frmTimeSelector.h"

#include <QPointer>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class SubMarkerField;
class TimeMarkerField;
class TimeText;

class wzStretch : public ToolWizard {
    Q_OBJECT
public:
    explicit wzStretch(ToolHost* host, QWidget* parent = nullptr);

    // c: the document; the rest: the main window's stretch markers.
    void SetSubs(clsSubs* c, int defSM1, int defSM2, qint32 defTM1, qint32 defTM2);

    QRadioButton* chSelection;
    QRadioButton* chFile;
    QLabel* Label2;
    QFrame* Picture2;
    QLineEdit* txtFakeCombo;
    QToolButton* btFakeCombo;
    QFrame* picFakeCombo2;
    TimeText* txtFakeCombo2;
    QToolButton* btFakeCombo2;
    QFrame* picFakeCombo3;
    QLineEdit* txtFakeCombo3;
    QToolButton* btFakeCombo3;
    QFrame* picFakeCombo4;
    TimeText* txtFakeCombo4;
    QToolButton* btFakeCombo4;

    // The wizard's own markers.
    clsTime* cSelSM1 = nullptr;
    clsTime* cSelSM2 = nullptr;
    clsTime* cSelTM1 = nullptr;
    clsTime* cSelTM2 = nullptr;
    // One picker per marker, living as long as the wizard shows.
    std::array<QPointer<frmSubSelector>, 2> SubSelector;
    std::array<QPointer<frmTimeSelector>, 2> TimeSelector;

protected:
    void PageEntry(int page) override;
    bool Finish() override;

private slots:
    void chSelection_Click();

private:
    void subDrop(int i);
    void timeDrop(int i);
    void markerShown(int i);
    // The instruction of a sub marker page and its picker, for the range chosen.
    void subInstruction(int i);

    QPointer<clsSubs> cSubs;
    std::array<SubMarkerField*, 2> subFields_;
    std::array<TimeMarkerField*, 2> timeFields_;
};
