// The split tool's wizard: where to cut, the two files, the restart of the second part's times
// and which file stays open, asked one page at a time.
#pragma once

#include "tools/ToolWizard.h"

#include <QPointer>
#include <array>

#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tools/frmSubSelector.h"

class FieldChecks;
class QLineEdit;
class QRadioButton;
class QToolButton;
class TimeText;

class wzSplit : public ToolWizard {
    Q_OBJECT
public:
    explicit wzSplit(ToolHost* host, QWidget* parent = nullptr);

    // c: the document; defSel: the main window's selected subtitle.
    void SetSubs(clsSubs* c, int defSel);

    QFrame* picFakeCombo;
    QLineEdit* txtFakeCombo;
    QToolButton* btFakeCombo;
    std::array<QLineEdit*, 2> txtFile{};
    std::array<QPushButton*, 2> btBrowse{};
    std::array<QRadioButton*, 2> optTiming{}; // 0 "Yes", 1 "No"
    TimeText* txtResetTime;
    std::array<QRadioButton*, 3> optKeepOpen{};

    // The format chosen for each part in the save dialog (filter index - 1; 0 by extension).
    std::array<int, 2> FileType{};
    // The wizard's own selection: the last subtitle of the first part.
    clsTime* cSel = nullptr;
    QPointer<frmSubSelector> SubSelector;

protected:
    void PageEntry(int page) override;
    bool Finish() override;

private slots:
    void btFakeCombo_Click();
    void btBrowse_Click(int i);
    void optTiming_Click();
    void cSel_Change();

private:
    bool txtFakeCombo_Leave();
    bool txtFile_Leave(int i);

    QPointer<clsSubs> cSubs;
    FieldChecks* checks_;
    // The path whose overwrite the user agreed to in the save dialog, per part.
    std::array<QString, 2> confirmed_;
};
