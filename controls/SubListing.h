// The subtitle listing: the shared document drawn as a scrollable list of rows with a row
// editor over the selected row. It holds no subtitles of its own; it observes the host's
// document, selection and marker values.
#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QStaticText>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class clsSubs;
class clsTime;
class QLabel;
class QPainter;
class QLineEdit;
class QScrollBar;
class QTimer;
class TimeText;
class SubListing;

// The rows' drawing surface. It owns the image the rows are painted into; painting the widget
// only copies that image.
class ListSurface : public QWidget {
    Q_OBJECT
public:
    explicit ListSurface(SubListing* owner);
    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    SubListing* owner_;
    QImage image_;
};

// The selected row's marker icon; a click on it asks for the marker menu.
class MarkerBox : public QWidget {
    Q_OBJECT
public:
    explicit MarkerBox(QWidget* parent);
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

class SubListing : public QWidget {
    Q_OBJECT
    friend class ListSurface;

public:
    explicit SubListing(QWidget* parent = nullptr);

    static constexpr int RowHeight = 15;
    static constexpr int EditBarParked = -30;

    // The header and three rows: a listing any lower has no room for its scroll arrows.
    QSize minimumSizeHint() const override;

    void SetStruct(clsSubs* lst, clsTime* c, clsTime* ca, clsTime* cb);
    void SetMarkers(clsTime* s, clsTime* s1, clsTime* s2);
    QString NewLineChar() const { return newLineChar_; }
    void setNewLineChar(const QString& c);
    // While set, the row editor takes no typing (its text box is read-only) and no moves.
    void setNoEdit(bool b);
    void SetSimpleMode(bool b, int drawMode = 0);
    void Redraw();
    void CalcBars();
    int Selected() const { return curRow_; }

    void SelectSub(int i);
    void Deselect();
    int SelA() const;
    int SelB() const;
    bool SelectionExist() const;
    QString GetSelString() const;
    void Delete();
    void GoToSel();
    void GotoSub(int x);
    bool InVision(int iSub) const { return TopIdx <= iSub && iSub < BottomIdx; }
    void SetTextFocus();
    int PrevBad() const { return prevBad_; }
    int NextBad() const { return nextBad_; }
    void DetermineInvalids();

    // Search and replace. In search and replacement texts NewLineChar stands for a line break.
    // find visits each row of the range once, cyclically from the row after (or before) the
    // selection, selects the first hit and marks it in the text box; the result is the number
    // of rows visited, -1 when nothing was found.
    int find(const QString& txt, bool bBackWards, bool bMatchCase, bool bWholeWord, bool bSelection);
    int FindNext();
    // F3: the last search again, or the host's find window when there was none.
    void SearchNext();
    bool isSelected(const QString& Query, bool bMatch, bool bWhole) const;
    // Replaces the first hit in the selected subtitle; false when there was none.
    bool ReplaceSelection(const QString& st, const QString& st2, bool bMatch, bool bWhole);
    // Replaces in the whole list, or in the range when asked and there is one. Holders see a
    // single MajorChange (when anything changed), not a Change per entry.
    int ReplaceAll(const QString& st1, const QString& st2, bool bMatch, bool bWhole, bool bSelection);

    // While true, Redraw and the per-subtitle change handling do nothing.
    bool BlockRedraw = false;

    int Rows = 0;
    int TopIdx = 0;
    int BottomIdx = 0;

    ListSurface* picMain;
    QScrollBar* scrList;
    QWidget* picSelBar;
    MarkerBox* picMarker;
    QLabel* lbNr;
    TimeText* txtSubTimeIn;
    TimeText* txtSubTimeOut;
    QLineEdit* txtSubText;
    QTimer* Scroller;
    QTimer* Selector;
    // Icons 1 and 2 are the stretch markers, 3 the shift marker.
    std::array<QImage, 4> Markers;

signals:
    void Click();
    void RightClick();
    void PushDown();
    void Scroll();
    void MarkerSelect();
    void DeterminedInvalids();
    void ReqSave();
    void ReqRestore();
    void ReqPause();
    void ReqLegend();
    // SearchNext before any search: the host shows its find window modally.
    void SearchWindowRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void scrList_Change(int value);
    void Scroller_Timer();
    void Selector_Timer();
    void cSel_Change();
    void cSelA_Change();
    void cSelB_Change();
    void cMarkS_Change();
    void cMarkS1_Change();
    void cMarkS2_Change();
    void cSubs_Change(int iSub);
    void cSubs_CountChange();
    void cSubs_MajorChange();
    void txtSubTimeIn_Change(qint32 lTime);
    void txtSubTimeOut_Change(qint32 lTime);
    void txtSubTimeIn_KeyDown(int KeyCode);
    void txtSubTimeOut_KeyDown(int KeyCode);
    void txtSubTimeIn_KeyUp(int KeyCode);
    void txtSubTimeOut_KeyUp(int KeyCode);
    void txtSubTimeIn_PressEnter();
    void txtSubTimeIn_PressRight();
    void txtSubTimeOut_PressLeft();
    void txtSubTimeOut_PressEnter();
    void txtSubTimeOut_PressRight();
    void txtSubTime_RightClick();
    void picMarker_Click();

private:
    void DrawRow(int i);
    void DrawRow(QPainter& p, int i);
    void ClearRow(int i);
    int drawDigits(QImage& img, int x, int top, const char* s, QRgb color, int right) const;
    int digitsWidth(const char* s) const;
    void makeGlyphs();
    bool scrollImage(int delta);
    void GiveSelValues();
    void placeEditBar();
    void rowColors();
    int rowAt(int y) const;
    int markerAt(int i) const;
    bool inList(int i) const;
    void setRange(int row);
    void markerChanged(int which);
    void redrawRow(int i);
    void refreshSelRow(int i);
    void timeKeyDown(TimeText* t, int key);
    void timeKeyUp(TimeText* t, int key);
    void commitText();
    void storeTyping();
    void outsideEvent(QObject* watched, QEvent* event);
    bool textKeyDown(QKeyEvent* k);
    void textKeyUp(QKeyEvent* k);
    void mousePress(QMouseEvent* e);
    void mouseMove(QMouseEvent* e);
    void mouseRelease(QMouseEvent* e);
    QString shown(const QString& stored) const;
    QString stored(const QString& shown) const;

    QPointer<clsSubs> cSubs;
    QPointer<clsTime> cSel, cSelA, cSelB;
    std::array<QPointer<clsTime>, 3> marks_; // shift, stretch 1, stretch 2
    std::array<QImage, 3> markPics_;
    std::array<int, 3> markRow_{-2, -2, -2};
    QString newLineChar_;
    QList<QLabel*> headers_;
    QFont rowFont_;
    int rowAscent_ = 0;
    // The image shows the rows as a full Redraw would; scrolling may then move it.
    bool imageValid_ = false;
    // Rows are mostly digits: those are drawn from pre-rendered glyphs, black and red, and the
    // texts from laid-out copies kept while they scroll past.
    struct Glyph {
        int advance = 0;
        int width = 0;
        int y0 = 0, y1 = 0;       // rows that hold ink
        std::vector<uchar> alpha; // width x RowHeight coverage
    };
    std::array<Glyph, 128> glyphs_;
    QHash<QString, QStaticText> textCache_;

    bool bound_ = false;
    bool noEdit_ = false;
    bool simple_ = false;
    int drawMode_ = 0;
    int margin_ = 1;
    int curRow_ = -2;
    // The row whose values the edit bar shows; commits go here and nowhere else.
    int editRow_ = -2;
    int anchor_ = 0;
    bool dragging_ = false;
    bool rangePress_ = false;
    int lastY_ = 0;
    bool leftAtStart_ = false;
    // Shift, Ctrl or Alt was held when Enter went down: the release inserts a line break.
    bool enterBreaks_ = false;
    // Keys that went down in the text box and have not come up yet; a release of any other key
    // (the Enter that closed a message box) is no keystroke of the text box.
    QSet<int> textKeys_;
    bool badRow_ = false;
    int prevBad_ = -2;
    int nextBad_ = -2;
    int scrollerTag_ = 0;
    int selectorTag_ = 0;
    // The last search, kept for Find Next.
    struct {
        QString text;
        bool backwards = false;
        bool matchCase = false;
        bool wholeWord = false;
        bool selection = false;
    } lastSearch_;
    // Sees the program's mouse presses, shortcuts and focus changes; declared last, so that it is
    // gone before any part of the listing it reports to.
    std::unique_ptr<QObject> tap_;
};
