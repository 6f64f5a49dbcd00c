// The program's QApplication: an error that escapes an event handler is shown in a box titled
// "Error" and the program keeps running with its document intact.
#pragma once

#include <QApplication>

class LumApplication : public QApplication {
public:
    LumApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an error that reached the event loop (used by notify and by tests).
void ReportUnhandledError(const QString& description);
