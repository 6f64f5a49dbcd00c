// The About box: the program's name and release, credits, the disclaimer and two links, to
// the author's mail address and to the program's web page. Created once, hidden when closed.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    static const QString MailAddress;
    static const QString WebAddress;

    QLabel* picLogo;
    QLabel* lblTitle;
    QLabel* lblProduct;
    QLabel* lblVersion;
    QLabel* lblCredit;
    QLabel* lblDisclaimer;
    QLabel* Label3; // e-mail link
    QLabel* Label5; // web link
    QPushButton* cmdOK;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private slots:
    void cmdOK_Click();
    void Label3_Click();
    void Label5_Click();
};
