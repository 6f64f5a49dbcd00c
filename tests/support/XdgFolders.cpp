#include "tests/support/XdgFolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const char* const kVars[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME",     "XDG_CONFIG_DIRS",
                             "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP", "PATH"};
}

XdgFolders::XdgFolders(bool ownSystem) {
    for (const char* v : kVars) saved_.append({v, qEnvironmentVariableIsSet(v) ? qgetenv(v) : QByteArray()});
    QDir().mkpath(data());
    QDir().mkpath(config());
    QDir().mkpath(dir_.path(QStringLiteral("etc")));
    qputenv("XDG_DATA_HOME", data().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", dir_.path(QStringLiteral("etc")).toLocal8Bit());
    qunsetenv("XDG_CURRENT_DESKTOP");
    if (ownSystem) {
        QDir().mkpath(dir_.path(QStringLiteral("system")));
        qputenv("XDG_DATA_DIRS", dir_.path(QStringLiteral("system")).toLocal8Bit());
    }
}

XdgFolders::~XdgFolders() {
    for (const auto& [name, value] : saved_) {
        if (value.isNull()) qunsetenv(name.constData());
        else qputenv(name.constData(), value);
    }
}

QString XdgFolders::makeProgram(const QString& path) {
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write("#!/bin/sh\nexit 0\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

QString XdgFolders::addApp(const QString& name, const QString& types) {
    const QString program = makeProgram(dir_.path(QStringLiteral("bin/")) + name);
    const QString id = name + QStringLiteral(".desktop");
    QDir().mkpath(data() + QStringLiteral("/applications"));
    QFile f(data() + QStringLiteral("/applications/") + id);
    if (f.open(QIODevice::WriteOnly))
        f.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %f\nMimeType=%3\n")
                    .arg(name, program, types)
                    .toUtf8());
    return id;
}

QString XdgFolders::queryDefault(const QString& type) const {
    QProcess p;
    p.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!p.waitForFinished(30000)) ADD_FAILURE() << "xdg-mime did not answer";
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
