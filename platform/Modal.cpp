#include "platform/Modal.h"

#include <QDialog>

namespace {
class RealModalRunner : public ModalRunner {
public:
    void run(QDialog* form) override {
        // Hiding the form (OK, Cancel, close box) ends the modal loop without destroying it:
        // forms keep their settings between shows.
        form->exec();
    }
};

RealModalRunner realRunner;
ModalRunner* current = &realRunner;
} // namespace

void ShowModal(QDialog* form) {
    if (form) current->run(form);
}

ModalRunner* InstallModalRunner(ModalRunner* runner) {
    ModalRunner* old = current == &realRunner ? nullptr : current;
    current = runner ? runner : &realRunner;
    return old;
}
