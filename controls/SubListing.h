// The subtitle listing: the shared document drawn as a scrollable list of rows with a row
// editor over the selected row. It holds no subtitles of its own; it observes the host's
// document, selection and marker values.
#pragma once

#include <QPointer>
#include <QWidget>

class clsSubs;
class clsTime;

class SubListing : public QWidget {
    Q_OBJECT
public:
    explicit SubListing(QWidget* parent = nullptr);

    void SetStruct(clsSubs* lst, clsTime* c, clsTime* ca, clsTime* cb);
    void SetMarkers(clsTime* s, clsTime* s1, clsTime* s2);
    QString NewLineChar() const { return newLineChar_; }
    void setNewLineChar(const QString& c);
    void Redraw();
    void SelectSub(int i);
    int Selected() const;

    bool BlockRedraw = false;

private:
    QPointer<clsSubs> cSubs;
    QPointer<clsTime> cSel, cSelA, cSelB, cMarkS, cMarkS1, cMarkS2;
    QString newLineChar_;
};
