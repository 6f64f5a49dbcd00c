#include "model/RuntimeError.h"

RuntimeError::RuntimeError(Code code, const QString& detail)
    : std::runtime_error((detail.isEmpty() ? standardText(code) : standardText(code) + ": " + detail).toStdString()),
      code_(code), detail_(detail) {}

QString RuntimeError::standardText(Code code) {
    switch (code) {
    case InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case FileNotFound: return QStringLiteral("File not found");
    case FileAccess: return QStringLiteral("Path/File access error");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

QString RuntimeError::description() const {
    return detail_.isEmpty() ? standardText(code_) : standardText(code_) + ": " + detail_;
}
