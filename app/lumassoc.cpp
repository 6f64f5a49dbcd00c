// The association program: links subtitle extensions to the editor in a given folder, or with
// "-u" removes the editor's links. Without a display, or with "-u", no window is shown.
#include "assoc/Apply.h"
#include "assoc/main.h"
#include "platform/Application.h"
#include "platform/Desktop.h"
#include "platform/MsgBox.h"

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    const bool headless = assoc::WithoutWindow(args.join(u' '));
    // The icons are still drawn, which needs a GUI application: one that shows nothing.
    if (headless) qputenv("QT_QPA_PLATFORM", "offscreen");
    LumApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumassoc"));
    SetAppTitle(QStringLiteral("lumassoc"));
    if (headless) return assoc::RunWithoutWindow(CommandLine());
    assoc::main w;
    w.show();
    return app.exec();
}
