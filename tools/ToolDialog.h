// The frame that the timing tools' modeless dialogs share: a help panel behind a check box, the
// action, wizard and cancel buttons, and the tool's tool bar button pressed while the dialog is
// the active window.
#pragma once

#include "tools/MarkerFields.h"
#include "tools/ToolHost.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QPushButton;
class QScrollBar;
class QWidget;

class ToolDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int Twips = 15;
    // The buttons sit this far above the bottom edge.
    static constexpr int ButtonsAboveBottom = 860;

    // Heights in twips with the help panel hidden and shown; width in pixels.
    ToolDialog(ToolHost* host, Tool tool, int hiddenHeight, int shownHeight, int width, QWidget* parent = nullptr);

    QCheckBox* chHelp;
    QWidget* picHelp1;
    QWidget* picHelp2;
    QScrollBar* scrHelp;
    QPushButton* btOk;
    QPushButton* btWizard;
    QPushButton* btCancel;

    Tool tool() const { return tool_; }
    // The top of the area the help panel and buttons use: the tool's own controls stay above.
    int ContentBottom() const;

protected:
    // Fills the help panel: a headline and its paragraphs.
    // The help text; laid out when the help panel is first shown.
    void SetHelp(const QString& headline, const QStringList& paragraphs);
    // The frame's place for the buttons and the height for the help switch's state.
    void Arrange();
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    ToolHost* host_;

private slots:
    void chHelp_Click();
    void scrHelp_Change(int value);
    void btCancel_Click();
    void btWizard_Click();

private:
    int heightTwips() const;
    Tool tool_;
    int hiddenHeight_;
    int shownHeight_;
    void buildHelp();
    QString helpHeadline_;
    QStringList helpParagraphs_;
    bool helpBuilt_ = false;
};
