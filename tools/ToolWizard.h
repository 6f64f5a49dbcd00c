// The frame that the timing tools' step-by-step wizards share: stacked pages with a welcome page
// first and a summary page last, Previous/Next/Finish, Cancel and Manual, and the pickers the
// wizard opened, which close with it.
#pragma once

#include "tools/ToolHost.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class TimeText;

class ToolWizard : public QDialog {
    Q_OBJECT
public:
    static constexpr int Twips = 15;
    static constexpr int PageLeft = 120 / Twips;
    static constexpr int WindowWidth = 5550 / Twips;
    static constexpr int PageWidth = WindowWidth - 2 * PageLeft;
    static constexpr int PageHeight = 230;

    static const QString WelcomeText;

    // pages: the number of pages, welcome and summary included. The welcome page gets
    // welcomeHeadline and the frame's text.
    ToolWizard(ToolHost* host, Tool tool, const QString& caption, const QString& welcomeHeadline, int pages,
               QWidget* parent = nullptr);
    ~ToolWizard() override;

    std::vector<QWidget*> picFrm;
    QPushButton* btPrev;
    QPushButton* btNext;
    QPushButton* btCancel;
    QPushButton* btManual;

    int CurrentPage() const { return page_; }
    int LastPage() const { return static_cast<int>(picFrm.size()) - 1; }
    // Brings the current page to the front and sets the buttons, then runs the page's entry.
    void ShowPage();
    // Shows the page that holds field and gives field the focus.
    void ShowPageOf(QWidget* field);
    // Closes the wizard and the pickers it opened.
    void Unload();

    // A number field or a time entry framed with its drop button like one combo box.
    struct FakeCombo {
        QFrame* frame;
        QToolButton* button;
    };

protected:
    // Page building: headline, paragraphs, fields. Labels are named lbHead_<page>, and the
    // paragraphs lbText_<page>_<n>.
    QVBoxLayout* PageLayout(int page);
    QLabel* AddHeadline(int page, const QString& text);
    QLabel* AddText(int page, const QString& text);
    FakeCombo AddFakeCombo(int page, QWidget* field, const char* frameName, const char* buttonName);

    // The page's entry action: focus and captions.
    virtual void PageEntry(int page) { (void)page; }
    // Runs the tool from the last page; true when the wizard is to close.
    virtual bool Finish() = 0;
    // A picker opened by this wizard: it is unloaded with the wizard.
    void AddPicker(QDialog* picker);

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    ToolHost* host_;

private slots:
    void btPrev_Click();
    void btNext_Click();
    void btCancel_Click();
    void btManual_Click();

private:
    void unloadPickers();
    Tool tool_;
    int page_ = 0;
    std::vector<int> texts_;
    std::vector<QPointer<QDialog>> pickers_;
};
