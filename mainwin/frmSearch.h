// The window "Find Subtitle": finds text in the subtitle listing and, with its replace section
// open, replaces it in the selected subtitle or everywhere. Created once, hidden when closed.
#pragma once

#include <QDialog>
#include <QPointer>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SubListing;

class frmSearch : public QDialog {
    Q_OBJECT
public:
    explicit frmSearch(SubListing* listing = nullptr, QWidget* parent = nullptr);
    void setListing(SubListing* listing);

    // Heights of the window with the replace section closed and open.
    static constexpr int FindHeight = 3585 / 15;
    static constexpr int ReplaceHeight = 4980 / 15;

    QLabel* Label1;
    QLineEdit* txtSearch;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 2> chWhere; // 0 "Selection only", 1 "Entire file"
    QCheckBox* chBackwards;
    QCheckBox* chComplete;
    QCheckBox* chMatch;
    QPushButton* btFind;
    QPushButton* btCancel;
    QPushButton* btReplace;
    QGroupBox* Frame2;
    QLabel* Label2;
    QLineEdit* txtReplace;
    QPushButton* btReplaceIt;
    QPushButton* btReplaceAll;

protected:
    void closeEvent(QCloseEvent* e) override;

private slots:
    void btFind_Click();
    void btCancel_Click();
    void btReplace_Click(bool down);
    void btReplaceIt_Click();
    void btReplaceAll_Click();
    void txtSearch_Change(const QString& text);

private:
    bool selectionOnly() const;
    void setFormHeight(int h);

    QPointer<SubListing> listing_;
};
