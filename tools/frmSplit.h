// The split tool's dialog: where to cut the list, the two files, the optional restart of the
// second part's times and which file stays open. Bound once to the document and the selection.
#pragma once

#include "tools/ToolDialog.h"

#include <QPointer>
#include <array>

#include "model/clsSubs.h"
#include "model/clsTime.h"

class FieldChecks;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TimeText;

class frmSplit : public ToolDialog {
    Q_OBJECT
public:
    explicit frmSplit(ToolHost* host, QWidget* parent = nullptr);

    // The main window's document and selected subtitle.
    void SetStructs(clsSubs* c, clsTime* s);

    QGroupBox* frSub;
    QLineEdit* txtMarkerSub;
    QPushButton* btMarkCurrentSub;
    QGroupBox* frFiles;
    std::array<QLineEdit*, 2> txtFile{};
    std::array<QPushButton*, 2> btBrowse{};
    QGroupBox* frShift;
    QCheckBox* chReset;
    QLabel* Label7;
    TimeText* txtReset;
    QGroupBox* frKeep;
    QRadioButton* chFirst;
    QRadioButton* chLast;
    QRadioButton* chOriginal;

    // The format chosen for each part in the save dialog (filter index - 1; 0 by extension).
    std::array<int, 2> FileType{};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void btOk_Click();
    void btMarkCurrentSub_Click();
    void btBrowse_Click(int i);
    void chReset_Click();

private:
    bool txtFile_Leave(int i);
    bool txtMarkerSub_Leave();
    void Form_Load();

    QPointer<clsSubs> cSubs;
    QPointer<clsTime> cSel;
    FieldChecks* checks_;
};
