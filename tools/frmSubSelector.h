// The subtitle picker of the wizards: the list in the listing's simple mode, where a click on a
// row sets the marker the wizard chose. It only hides between uses, keeping its place.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class SubListing;

class frmSubSelector : public QDialog {
    Q_OBJECT
public:
    explicit frmSubSelector(QWidget* parent = nullptr);

    SubListing* Listing;
    QLabel* lbInfo;
    QPushButton* btOk;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};
