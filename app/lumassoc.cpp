// The association program: links subtitle extensions to the editor in a given folder, or with
// "-u" removes the editor's links.
#include "assoc/main.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"

int main(int argc, char** argv) {
    LumApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumassoc"));
    SetAppTitle(QStringLiteral("lumassoc"));
    assoc::main w;
    if (w.Ended()) return 0;
    w.show();
    return app.exec();
}
