// The window "Color Legend": what the lines and boxes of the time line mean, each key drawn in
// the time line's own colours. Created once, hidden when closed.
#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

class frmLegend : public QDialog {
    Q_OBJECT
public:
    explicit frmLegend(QWidget* parent = nullptr);

    // Size of a drawn key; a line key's line runs down column LineX, a box key's box is
    // filled around the middle.
    static constexpr int KeyWidth = 48, KeyHeight = 18, LineX = 20;

    QGroupBox* fraMarkers;
    std::array<QLabel*, 5> picMarker; // current time, end of movie, stretch 1, stretch 2, shift
    std::array<QLabel*, 5> lblMarker;
    QGroupBox* fraSubs;
    std::array<QLabel*, 7> picSub; // regular, incorrect, selected, current, stretch 1, stretch 2, shift
    std::array<QLabel*, 7> lblSub;
    QPushButton* btOk;

private slots:
    void btOk_Click();
};
