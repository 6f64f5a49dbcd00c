// The merge tool's dialog: a second subtitle file joined before or after the list, optionally
// moved to follow it with a delay. Bound once to the document.
#pragma once

#include "tools/ToolDialog.h"

#include <QPointer>

#include "model/clsSubs.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TimeText;

class frmMerge : public ToolDialog {
    Q_OBJECT
public:
    explicit frmMerge(ToolHost* host, QWidget* parent = nullptr);

    void SetStructs(clsSubs* c);

    QGroupBox* frmFiles;
    QLabel* lbFile;
    QLineEdit* txtFile;
    QPushButton* btBrowse;
    QGroupBox* frWhere;
    QRadioButton* optAfter;
    QRadioButton* optBefore;
    QGroupBox* frShift;
    QCheckBox* chTimeShift;
    TimeText* txtTimeShift;

private slots:
    void btOk_Click();
    void btBrowse_Click();

private:
    QPointer<clsSubs> cSubs;
};
