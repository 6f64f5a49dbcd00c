#include "platform/Application.h"
#include "platform/MsgBox.h"

#include <clocale>
#include <exception>

LumApplication::LumApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Number text is always the C locale's, and the media player refuses any other.
    std::setlocale(LC_NUMERIC, "C");
}

void ReportUnhandledError(const QString& description) { MsgBox(description, vb::Critical, QStringLiteral("Error")); }

bool LumApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportUnhandledError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportUnhandledError(QStringLiteral("Unexpected error"));
    }
    return false;
}
