// The association program's one window: the subtitle extensions to associate with the editor
// in the folder named on the command line; closing the window applies the choice.
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace assoc {

class main : public QWidget {
    Q_OBJECT
public:
    explicit main(QWidget* parent = nullptr);

    QListWidget* lstExt;
    std::array<QLabel*, 7> imgIcon{};
    QPushButton* Command1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label1;

protected:
    void closeEvent(QCloseEvent* e) override;

private slots:
    void Command1_Click();
    void lstExt_Click();

private:
    void Form_Load();
    void ApplyAssociations();

    bool applied_ = false;
};

} // namespace assoc
