// Private desktop folders for a test: while the object lives, the user's XDG data and config
// folders (and, when asked, the system's) are temporary ones, so that associations written by
// a test never reach the machine's; PATH too is put back as it was. Helpers make programs and other applications'
// entries.
#pragma once

#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class XdgFolders {
public:
    // ownSystem: the system's folders are empty temporary ones too (a system with no types).
    explicit XdgFolders(bool ownSystem = false);
    ~XdgFolders();
    XdgFolders(const XdgFolders&) = delete;
    XdgFolders& operator=(const XdgFolders&) = delete;

    QString data() const { return dir_.path(QStringLiteral("data")); }
    QString config() const { return dir_.path(QStringLiteral("config")); }
    QString mimeapps() const { return config() + QStringLiteral("/mimeapps.list"); }
    // An executable file at path (folders made as needed); returns path.
    static QString makeProgram(const QString& path);
    // Another application's entry in the user's folder that opens types with a program of its
    // own; returns the entry's ID.
    QString addApp(const QString& name, const QString& types);
    // The answer of `xdg-mime query default type` in these folders.
    QString queryDefault(const QString& type) const;

private:
    TempDir dir_;
    QList<QPair<QByteArray, QByteArray>> saved_;
};
