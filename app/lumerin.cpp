// The subtitle editor.
#include "mainwin/frmMain.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"

int main(int argc, char** argv) {
    LumApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumerin"));
    SetAppTitle(QStringLiteral("Lumerin"));
    frmMain w;
    w.show();
    return app.exec();
}
