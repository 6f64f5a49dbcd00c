// The horizontal slider of the Visual Editor and the time picker: a position shown as a bar from
// the left, and in select mode a second position shown as a marker that the user can drag. It
// knows nothing of times; hosts convert between slider units and their own.
#pragma once

#include <QImage>
#include <QWidget>

class Tracker : public QWidget {
    Q_OBJECT
public:
    explicit Tracker(QWidget* parent = nullptr);

    qint32 Max() const { return max_; }
    // Stores only: neither the positions nor the picture change.
    void setMax(qint32 v) { max_ = v; }
    qint32 value() const { return value_; }
    // Kept within 0..Max; redraws when the stored value changed; raises nothing.
    void setValue(qint32 v);
    qint32 sValue() const { return sValue_; }
    void setsValue(qint32 v);
    // Select mode on or off, with the marker at defVal as given (not limited).
    void SetSelect(bool b, qint32 defVal = 0);
    bool selectMode() const { return select_; }

    void Draw();
    void DrawLine();
    void DrawSelect();

    QSize sizeHint() const override { return {200, 18}; }

    // The picture surface, stretched over the whole control.
    QWidget* picM;

signals:
    // Raised only while Max is above 0; RightClick always.
    void Change();
    void ChangeS();
    void RightClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int usableWidth() const;
    double pixelOf(qint32 p) const;
    qint32 positionAt(int x) const;
    bool inLowerHalf(int y) const;
    int barHeight() const;
    void press(Qt::MouseButton button, const QPoint& pt);
    void drag(const QPoint& pt);
    void refresh();

    qint32 max_ = 0;
    qint32 value_ = 0;
    qint32 sValue_ = 0;
    bool select_ = false;
    bool grabbed_ = false;
    // What picM shows; the drawing procedures paint here.
    QImage surface_;
};
