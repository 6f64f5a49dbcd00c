// Run-time errors of the editor's operations (index out of range, overflow, bad argument,
// file errors). They travel as exceptions to the command that started the operation; one that
// reaches the event loop is shown in a message box and the program keeps running.
#pragma once

#include <QString>
#include <stdexcept>

class RuntimeError : public std::runtime_error {
public:
    enum Code {
        InvalidCall = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        FileNotFound = 53,
        FileAccess = 75,
    };

    explicit RuntimeError(Code code, const QString& detail = QString());

    Code code() const { return code_; }
    // The text a user sees: the standard description, then the detail when there is one.
    QString description() const;

    static QString standardText(Code code);

private:
    Code code_;
    QString detail_;
};
