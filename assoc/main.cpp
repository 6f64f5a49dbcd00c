#include "assoc/main.h"

namespace assoc {

main::main(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("lumassoc"));
    resize(320, 240);
}

} // namespace assoc
