// The time entry control: a time as "hh:mm:ss.mmm" in four small fields that move the caret on
// by themselves, commit when a field is left, and pass the arrow keys at its ends to the host.
#pragma once

#include <QColor>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;

class TimeText : public QWidget {
    Q_OBJECT
public:
    explicit TimeText(QWidget* parent = nullptr);

    // Field spacing in pixels; ClickIt positions and the listing's drawn times use the same grid.
    static constexpr int FieldStep = 16;
    // A font whose two digits fit the 13 pixels of a two-digit field.
    static QFont FieldFont(const QFont& base);

    qint32 lTime() const { return lTime_; }
    // Shows the value; raises no event.
    void setlTime(qint32 v);
    int cField() const { return cField_; }

    void EnterField(int i);
    void EnterRight() { EnterField(4); }
    void EnterLeft() { EnterField(1); }
    void ClickIt(int x);

    QColor ForeColor() const { return foreColor_; }
    void setForeColor(const QColor& c);
    void setBackColor(const QColor& c);
    void setBorderStyle(int style);
    void setStyle3D(bool b);
    // Enables the four fields only; the control itself stays enabled.
    bool Enabled() const;
    void setEnabled(bool b);

    void Copy();
    void Paste();
    // Stores a value still being typed, as leaving the field would: for hosts about to move on
    // while the focus stays here.
    void Commit();

    QFrame* Picture1;
    // Null until built: the surface's event filter already sees its children being added.
    QLineEdit* txtHr = nullptr;
    QLineEdit* txtMin = nullptr;
    QLineEdit* txtSec = nullptr;
    QLineEdit* txtMSec = nullptr;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QMenu* mnuEdit;
    QAction* mnuCopy;
    QAction* mnuPaste;

signals:
    void PressEnter();
    void PressRight();
    void PressLeft();
    void PressUp();
    void PressDown();
    void Change(qint32 lTime);
    void KeyDown(int KeyCode);
    void KeyUp(int KeyCode);
    void RightClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* field(int i) const;
    int fieldOf(QObject* o) const;
    void Show();
    void fieldKeyUp(int f, int key);
    void rightPress();
    void applyColors();
    void placeFields();

    qint32 lTime_ = 0;
    int cField_ = 1;
    // Set by the user's typing, cleared when a value is shown: only a real edit is committed.
    bool dirty_ = false;
    QColor foreColor_;
    QColor backColor_;
};
