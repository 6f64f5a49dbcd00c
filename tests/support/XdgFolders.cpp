#include "tests/support/XdgFolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const char* const kVars[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME",     "XDG_CONFIG_DIRS",
                             "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP", "PATH"};

const char kKnownTypes[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="text/plain">
    <comment>plain text document</comment>
    <glob pattern="*.txt"/>
    <glob pattern="*.asc"/>
  </mime-type>
  <mime-type type="application/x-subrip">
    <comment>SubRip subtitles</comment>
    <sub-class-of type="text/plain"/>
    <glob pattern="*.srt"/>
  </mime-type>
  <mime-type type="text/x-microdvd">
    <comment>MicroDVD subtitles</comment>
    <sub-class-of type="text/plain"/>
    <glob pattern="*.sub"/>
  </mime-type>
  <mime-type type="text/x-mpsub">
    <comment>MPSub subtitles</comment>
    <sub-class-of type="text/plain"/>
    <glob pattern="*.sub"/>
  </mime-type>
  <mime-type type="text/x-subviewer">
    <comment>SubViewer subtitles</comment>
    <sub-class-of type="text/plain"/>
    <glob pattern="*.sub"/>
  </mime-type>
  <mime-type type="application/smil+xml">
    <comment>SMIL document</comment>
    <sub-class-of type="application/xml"/>
    <glob pattern="*.smil"/>
    <glob pattern="*.smi"/>
    <glob pattern="*.sml"/>
  </mime-type>
  <mime-type type="application/x-sami">
    <comment>SAMI subtitles</comment>
    <sub-class-of type="text/plain"/>
    <glob pattern="*.sami"/>
    <glob pattern="*.smi"/>
  </mime-type>
  <mime-type type="text/x-ssa">
    <comment>SSA subtitles</comment>
    <sub-class-of type="text/plain"/>
    <glob pattern="*.ssa"/>
    <glob pattern="*.ass"/>
  </mime-type>
</mime-info>
)";

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "can't write " << path.toStdString();
}

void compileTypes(const QString& mime) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("update-mime-database"), {mime});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        ADD_FAILURE() << "update-mime-database failed: " << p.readAll().toStdString();
}
} // namespace

XdgFolders::XdgFolders(System kind) {
    for (const char* v : kVars) saved_.append({v, qEnvironmentVariableIsSet(v) ? qgetenv(v) : QByteArray()});
    QDir().mkpath(data());
    QDir().mkpath(config());
    QDir().mkpath(dir_.path(QStringLiteral("etc")));
    qputenv("XDG_DATA_HOME", data().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", dir_.path(QStringLiteral("etc")).toLocal8Bit());
    qunsetenv("XDG_CURRENT_DESKTOP");
    QDir().mkpath(system());
    qputenv("XDG_DATA_DIRS", system().toLocal8Bit());
    if (kind == KnownSystem) {
        writeFile(system() + QStringLiteral("/mime/packages/subtitles.xml"), kKnownTypes);
        compileTypes(system() + QStringLiteral("/mime"));
    }
}

XdgFolders::~XdgFolders() {
    for (const auto& [name, value] : saved_) {
        if (value.isNull()) qunsetenv(name.constData());
        else qputenv(name.constData(), value);
    }
}

QString XdgFolders::makeProgram(const QString& path) {
    writeFile(path, "#!/bin/sh\nexit 0\n");
    QFile f(path);
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

QString XdgFolders::addApp(const QString& name, const QString& types) {
    const QString program = makeProgram(dir_.path(QStringLiteral("bin/")) + name);
    const QString id = name + QStringLiteral(".desktop");
    writeFile(data() + QStringLiteral("/applications/") + id,
              QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %f\nMimeType=%3\n")
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
