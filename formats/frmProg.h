// The progress window that long loads show while they parse: a bar, a percentage and the
// step's description. The user cannot close it; the reader shows and hides it.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

class frmProg : public QDialog {
    Q_OBJECT
public:
    explicit frmProg(QWidget* parent = nullptr);

    void setMin(qint32 v);
    void setMax(qint32 v);
    // Moves the bar (clamped into its range), shows the percentage, and lets the window
    // repaint without accepting user input. A shown window takes the value at its next pump.
    void setValue(qint32 v);
    // Lets a shown window repaint, without user input, at most every few dozen milliseconds.
    void pump();

    QProgressBar* pbar;
    QLabel* lbp;
    QLabel* lbIndic;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    bool due() const;
    void showValue();

    QElapsedTimer lastPump_;
    qint32 value_ = 0;
    bool stale_ = false;
};

// The program's one progress window, created at first use.
frmProg& ProgressWindow();
