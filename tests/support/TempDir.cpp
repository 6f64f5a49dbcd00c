#include "tests/support/TempDir.h"

#include <QFile>

QString TempDir::write(const QString& name, const QByteArray& bytes) const {
    const QString p = path(name);
    QFile f(p);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return p;
}

QByteArray TempDir::read(const QString& name) const {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
