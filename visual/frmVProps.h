// The video properties window of the Visual Editor: the video's length, file name, folder and
// the current position. A fresh window is filled and shown for each use.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class MediaPlayer;

class frmVProps : public QDialog {
    Q_OBJECT
public:
    explicit frmVProps(QWidget* parent = nullptr);

    // Appends the player's figures to the labels' captions.
    void Fill(const MediaPlayer& player);

    QGroupBox* Frame1; // "Movie "
    QGroupBox* Frame2; // "File "
    QLabel* lbDuration;
    QLabel* lbPosition;
    QLabel* lbFilename;
    QLabel* lbPath;
    QPushButton* Command1;
};
