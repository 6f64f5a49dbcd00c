// The one call through which every form is shown modally. A modal show returns when the form
// is hidden (OK, Cancel or its close box). Tests install a runner that fills the form's named
// controls and presses its buttons, so that no test ever blocks.
#pragma once

class QDialog;

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual void run(QDialog* form) = 0;
};

void ShowModal(QDialog* form);
ModalRunner* InstallModalRunner(ModalRunner* runner);
