#include "platform/SettingsPath.h"
#include "platform/Desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
bool writableFolder(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    // A uniquely named probe, so that no file of the user's is touched.
    QTemporaryFile probe(folder + QStringLiteral("lumerin-probe-XXXXXX"));
    return probe.open();
}
} // namespace

QString SettingsFilePath(const QString& name) {
    const QString program = ProgramFolder();
    if (writableFolder(program)) return program + name;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = config + QStringLiteral("/lumerin");
    QDir().mkpath(folder);
    return folder + u'/' + name;
}
