// The subtitle editor.
#include "mainwin/frmMain.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"

#include <QClipboard>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    LumApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumerin"));
    SetAppTitle(QStringLiteral("Lumerin"));
    frmMain w;
    w.show();
    const int rc = app.exec();
    // Every window has written what it keeps as it unloaded. Tearing down the video player's
    // threads and the libraries behind it would only keep the process alive well after its
    // window has gone. Text this program put on the clipboard is handed to the desktop's
    // clipboard manager on the ordinary way out, so that way is kept for it.
    if (!QGuiApplication::clipboard()->ownsClipboard()) {
        std::fflush(nullptr);
        std::_Exit(rc);
    }
    return rc;
}
