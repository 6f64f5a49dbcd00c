// The merge tool's wizard: the file, where it goes and the optional move of the second part,
// asked one page at a time.
#pragma once

#include "tools/ToolWizard.h"

#include <QPointer>
#include <array>

#include "model/clsSubs.h"

class FieldChecks;
class QLabel;
class QLineEdit;
class QRadioButton;
class TimeText;

class wzMerge : public ToolWizard {
    Q_OBJECT
public:
    explicit wzMerge(ToolHost* host, QWidget* parent = nullptr);

    // c: the document; defSel is accepted for the common call shape and not used.
    void SetSubs(clsSubs* c, int defSel);

    QLineEdit* txtFile;
    QPushButton* btBrowse;
    QRadioButton* optAfter;
    QRadioButton* optBefore;
    std::array<QRadioButton*, 2> optTiming{}; // 0 "No", 1 "Yes"
    QWidget* picDelay;
    TimeText* txtTimeShift;
    // The summary page's lines on where the file goes and on its timings.
    QLabel* lbInfoSub;
    QLabel* lbInfoTiming;

protected:
    void PageEntry(int page) override;
    bool Finish() override;

private slots:
    void btBrowse_Click();
    void optTiming_Click();

private:
    bool txtFile_Leave();

    QPointer<clsSubs> cSubs;
    FieldChecks* checks_;
};
