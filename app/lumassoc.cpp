// The association program: links subtitle extensions to the editor in a given folder.
#include "assoc/main.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"

int main(int argc, char** argv) {
    LumApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumassoc"));
    SetAppTitle(QStringLiteral("lumassoc"));
    assoc::main w;
    w.show();
    return app.exec();
}
