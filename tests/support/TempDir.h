// A temporary folder for a test's files, removed with the object.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempDir {
public:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString folder() const { return dir_.path() + QStringLiteral("/"); }
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};
