// The main window's properties command: the figures of the document, its file and the shared
// selection and marker values, written into a fresh "Properties" window shown modally.
#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;
class clsSubs;
class frmProps;

struct PropsFigures {
    const clsSubs* subs = nullptr;
    QString file;     // full path, "" when untitled
    qint32 time = 0;  // play time
    int sel = -2;     // selected subtitle
    QString selRange; // the listing's description of the selected range
    int markS = -2, markS1 = -2, markS2 = -2;
    qint32 markT = 0, markT1 = 0, markT2 = 0;
};

// Appends the figures to the labels of a window that still holds its field names.
void FillProps(frmProps& f, const PropsFigures& d);
// Makes, fills and shows the window, which is gone again when this returns.
void ShowProps(QWidget* owner, const PropsFigures& d);
