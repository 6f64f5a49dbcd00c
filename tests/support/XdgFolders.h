// Private desktop folders for a test: while the object lives, the user's XDG data and config
// folders and the system's are temporary ones, so that associations written by a test never
// reach the machine's and what the machine has installed never changes a result; PATH too is
// put back as it was. Helpers make programs and other applications' entries.
#pragma once

#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class XdgFolders {
public:
    enum System {
        // A system that knows the subtitle types as a plain Debian desktop has them: ".srt",
        // three types of ".sub", ".smi" shared by SMIL and SAMI, ".ssa" with ".ass", ".txt"
        // with ".asc" (compiled by the desktop's own tool).
        KnownSystem,
        // A system with no types and no applications.
        EmptySystem,
    };
    explicit XdgFolders(System kind = KnownSystem);
    ~XdgFolders();
    XdgFolders(const XdgFolders&) = delete;
    XdgFolders& operator=(const XdgFolders&) = delete;

    QString data() const { return dir_.path(QStringLiteral("data")); }
    QString config() const { return dir_.path(QStringLiteral("config")); }
    QString system() const { return dir_.path(QStringLiteral("system")); }
    QString mimeapps() const { return config() + QStringLiteral("/mimeapps.list"); }
    // The system's mimeapps.list (in $XDG_CONFIG_DIRS).
    QString systemMimeapps() const { return dir_.path(QStringLiteral("etc/mimeapps.list")); }
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
