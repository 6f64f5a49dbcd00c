#include "assoc/main.h"
#include "assoc/Apply.h"
#include "mainwin/ExtIcons.h"
#include "platform/Desktop.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace assoc {

main::main(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("Set Associations"));

    auto* grid = new QGridLayout(this);
    Label5 = new QLabel(QStringLiteral("Associate Lumerin with the following filetypes so the program is run "
                                       "automatically when they are activated (double-clicked) :"),
                        this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setWordWrap(true);
    grid->addWidget(Label5, 0, 0, 1, 2);

    lstExt = AddExtList(grid, 1, imgIcon);

    Label6 = new QLabel(
        QStringLiteral("Since TXT is such a widely used extension, it is strongly advised NOT to associate it with "
                       "Lumerin."),
        this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setWordWrap(true);
    grid->addWidget(Label6, 2, 0, 1, 2);
    Label1 =
        new QLabel(QStringLiteral("These settings can be modified later by selecting Settings > Configuration."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    grid->addWidget(Label1, 3, 0, 1, 2);
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    grid->addWidget(Command1, 4, 1, Qt::AlignRight);
    resize(5400 / 15, 4200 / 15);

    connect(Command1, &QPushButton::clicked, this, &main::Command1_Click);
    connect(lstExt, &QListWidget::currentRowChanged, this, &main::lstExt_Click);
    connect(lstExt, &QListWidget::itemClicked, this, &main::lstExt_Click);

    Form_Load();
}

void main::Form_Load() {
    // A fixed preselection: the desktop's associations are not read.
    const std::array<bool, 6> chosen = Preselection();
    for (int i = 0; i < lstExt->count(); ++i) lstExt->item(i)->setSelected(chosen[i]);
}

void main::closeEvent(QCloseEvent* e) {
    // Every way of closing the window applies the choice.
    ApplyAssociations();
    e->accept();
}

void main::Command1_Click() { close(); }

void main::lstExt_Click() { ShowExtIcon(lstExt, imgIcon); }

void main::ApplyAssociations() {
    if (applied_) return;
    applied_ = true;
    std::array<bool, 6> selected{};
    for (int i = 0; i < 6; ++i) selected[i] = lstExt->item(i)->isSelected();
    assoc::ApplyAssociations(CommandLine(), selected);
}

} // namespace assoc
