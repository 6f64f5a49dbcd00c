#include "platform/Shell.h"
#include "platform/Desktop.h"
#include "platform/MsgBox.h"

namespace {
// A number in a message: a blank before it when it is not negative.
QString printed(int n) { return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n); }
} // namespace

void ShellOpen(const QString& document) {
    const int result = desktop().shellOpen(document);
    const QString title = QStringLiteral("Browser Unavailable");
    if (result < 31) {
        MsgBox(QStringLiteral("Problem running your web browser. You should check that your browser is correctly "
                              "installed. (Error ") +
                   printed(result) + u')',
               vb::Exclamation, title);
    } else if (result == 31) {
        MsgBox(AppTitle() + QStringLiteral(" could not find a file association for ") + document +
                   QStringLiteral(" on your system. You should check that your browser is correctly installed and "
                                  "associated with this type of file."),
               vb::Exclamation, title);
    }
}
