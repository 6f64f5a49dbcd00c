#include "platform/Associations.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>

namespace xdg {
namespace {

QString envDir(const char* name, const QString& fallback) {
    const QString v = qEnvironmentVariable(name);
    // A relative base folder would depend on where the program was started: the desktop ignores it.
    return v.startsWith(u'/') ? v : fallback;
}

QStringList envDirs(const char* name, const QStringList& fallback) {
    QStringList dirs;
    for (const QString& d : qEnvironmentVariable(name).split(u':', Qt::SkipEmptyParts))
        if (d.startsWith(u'/')) dirs.append(d);
    return dirs.isEmpty() ? fallback : dirs;
}

QStringList currentDesktops() {
    QStringList desks;
    for (const QString& d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        desks.append(d.toLower());
    return desks;
}

QString unescape(const QString& v) {
    QString out;
    out.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] != u'\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        const QChar c = v[++i];
        if (c == u's') out += u' ';
        else if (c == u'n') out += u'\n';
        else if (c == u't') out += u'\t';
        else if (c == u'r') out += u'\r';
        else if (c == u'\\') out += u'\\';
        else out += QStringLiteral("\\") + c; // not a string escape: left for the key's own rules
    }
    return out;
}

QString escape(const QString& v) {
    QString out;
    for (const QChar c : v) {
        if (c == u'\\') out += QStringLiteral("\\\\");
        else if (c == u'\n') out += QStringLiteral("\\n");
        else if (c == u'\t') out += QStringLiteral("\\t");
        else if (c == u'\r') out += QStringLiteral("\\r");
        else out += c;
    }
    return out;
}

QStringList readLines(const QString& path, bool* ok = nullptr) {
    QFile f(path);
    const bool exists = f.exists();
    const bool opened = exists && f.open(QIODevice::ReadOnly);
    if (ok) *ok = !exists || opened;
    if (!opened) return {};
    return QString::fromUtf8(f.readAll()).split(u'\n');
}

// The raw values of one group of a key file; the first of a repeated key counts.
QMap<QString, QString> readGroup(const QString& path, const QString& group) {
    QMap<QString, QString> keys;
    bool in = false;
    for (const QString& raw : readLines(path)) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            in = line == u'[' + group + u']';
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!in || line.startsWith(u'#') || eq <= 0) continue;
        const QString key = line.left(eq).trimmed();
        if (!keys.contains(key)) keys.insert(key, line.mid(eq + 1).trimmed());
    }
    return keys;
}

QStringList idList(const QString& value) { return value.split(u';', Qt::SkipEmptyParts); }

bool writeFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    // A full disk takes part of the bytes without an error: a cut list must not replace a whole one.
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool canStart(const QString& program) {
    if (program.isEmpty()) return false;
    if (program.contains(u'/')) {
        const QFileInfo fi(program);
        return fi.isFile() && fi.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// Every mimeapps.list in the order the desktop consults them.
QStringList mimeappsLists() {
    QStringList files;
    const QStringList desks = currentDesktops();
    auto add = [&](const QString& dir) {
        for (const QString& d : desks) files.append(dir + u'/' + d + QStringLiteral("-mimeapps.list"));
        files.append(dir + QStringLiteral("/mimeapps.list"));
    };
    for (const QString& d : ConfigDirs()) add(d);
    for (const QString& d : DataDirs()) add(d + QStringLiteral("/applications"));
    return files;
}

QString firstInstalled(const QStringList& ids) {
    for (const QString& id : ids)
        if (!EntryPath(id).isEmpty()) return id;
    return QString();
}

void run(const QString& tool, const QStringList& args) {
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty()) return; // a desktop without the tool reads the files themselves
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(exe, args);
    if (!p.waitForFinished(60000)) p.kill();
    p.waitForFinished(1000);
}

const QString kDefaults = QStringLiteral("Default Applications");

struct Glob {
    int weight;
    QString type;
    QString pattern;
    bool cs;
};
// Clears the type's patterns in the folders below.
const QString kNoGlobs = QStringLiteral("__NOGLOBS__");

QList<Glob> cacheGlobs(const QString& dir) {
    QList<Glob> globs;
    bool v2 = true;
    QStringList lines = readLines(dir + QStringLiteral("/mime/globs2"));
    if (lines.isEmpty()) {
        lines = readLines(dir + QStringLiteral("/mime/globs"));
        v2 = false;
    }
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        QStringList f = line.split(u':');
        if (!v2) f.prepend(QString::number(kDefaultWeight));
        if (f.size() < 3) continue;
        globs.append({f[0].toInt(), f[1], f[2], f.size() > 3 && f[3].split(u',').contains(QStringLiteral("cs"))});
    }
    return globs;
}

// The patterns of the user's own MIME packages: the desktop's tool compiles them into the
// folder's cache, but where it is not installed they are only in the packages.
QList<Glob> packageGlobs(const QString& dir) {
    QList<Glob> globs;
    const QString folder = dir + QStringLiteral("/mime/packages/");
    for (const QString& file : QDir(folder).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        QFile f(folder + file);
        if (!f.open(QIODevice::ReadOnly)) continue;
        QXmlStreamReader r(&f);
        QString type;
        while (!r.atEnd()) {
            if (r.readNext() != QXmlStreamReader::StartElement) continue;
            const QXmlStreamAttributes a = r.attributes();
            if (r.name() == u"mime-type") type = a.value(QStringLiteral("type")).toString();
            else if (r.name() == u"glob-deleteall") globs.append({0, type, kNoGlobs, false});
            else if (r.name() == u"glob")
                globs.append({a.hasAttribute(QStringLiteral("weight")) ? a.value(QStringLiteral("weight")).toInt()
                                                                       : kDefaultWeight,
                              type, a.value(QStringLiteral("pattern")).toString(),
                              a.value(QStringLiteral("case-sensitive")) == u"true"});
        }
    }
    return globs;
}

// Every pattern the desktop knows, but those of types that a more important folder cleared.
QList<Glob> knownGlobs() {
    QList<Glob> globs;
    QStringList blocked;
    const QString user = DataHome();
    for (const QString& dir : DataDirs()) {
        QList<Glob> here = cacheGlobs(dir);
        if (dir == user) here += packageGlobs(dir);
        QStringList cleared;
        for (const Glob& g : here) {
            if (g.pattern == kNoGlobs) cleared.append(g.type);
            else if (!blocked.contains(g.type)) globs.append(g);
        }
        blocked += cleared;
    }
    return globs;
}
} // namespace

QString DataHome() { return envDir("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share")); }
QString ConfigHome() { return envDir("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config")); }

QStringList DataDirs() {
    return QStringList{DataHome()} +
           envDirs("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
}

QStringList ConfigDirs() {
    return QStringList{ConfigHome()} + envDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
}

QStringList TypesOfExt(const QString& ext, const QStringList& ignored) {
    const QString name = QStringLiteral("x") + ext;
    struct Match {
        int weight;
        qsizetype length;
        QString type;
    };
    QList<Match> matches;
    for (const Glob& g : knownGlobs()) {
        if (ignored.contains(g.type)) continue;
        // A case-sensitive pattern is matched against the usual lower-case spelling.
        const QString subject = g.cs ? QStringLiteral("x") + ext.toLower() : name;
        const Qt::CaseSensitivity c = g.cs ? Qt::CaseSensitive : Qt::CaseInsensitive;
        const QString& glob = g.pattern;
        // Most patterns are "*.ext": compared directly, the rest as wildcards.
        const bool simple =
            glob.startsWith(QStringLiteral("*.")) &&
            std::none_of(glob.begin() + 1, glob.end(), [](QChar ch) { return ch == u'*' || ch == u'?' || ch == u'['; });
        const bool hit = simple ? subject.endsWith(glob.mid(1), c) && subject.size() > glob.size() - 1
                                : QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob),
                                                     g.cs ? QRegularExpression::NoPatternOption
                                                          : QRegularExpression::CaseInsensitiveOption)
                                      .match(subject)
                                      .hasMatch();
        if (hit) matches.append({g.weight, glob.size(), g.type});
    }
    int best = -1;
    qsizetype longest = -1;
    for (const Match& m : matches) {
        if (m.weight > best || (m.weight == best && m.length > longest)) {
            best = m.weight;
            longest = m.length;
        }
    }
    QStringList types;
    for (const Match& m : matches)
        if (m.weight == best && m.length == longest && !types.contains(m.type)) types.append(m.type);
    return types;
}

QStringList PatternsOfType(const QString& type) {
    QStringList patterns;
    for (const Glob& g : knownGlobs())
        if (g.type == type && !patterns.contains(g.pattern)) patterns.append(g.pattern);
    return patterns;
}

QMap<QString, QString> ReadEntry(const QString& path) {
    QMap<QString, QString> keys = readGroup(path, QStringLiteral("Desktop Entry"));
    for (QString& v : keys) v = unescape(v);
    return keys;
}

QString ExecProgram(const QString& exec) {
    const QString s = exec.trimmed();
    QString prog;
    if (s.startsWith(u'"')) {
        for (qsizetype i = 1; i < s.size() && s[i] != u'"'; ++i) {
            if (s[i] == u'\\' && i + 1 < s.size()) ++i;
            prog += s[i];
        }
    } else {
        prog = s.section(u' ', 0, 0);
    }
    return prog.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

QString ExecQuote(const QString& arg) {
    // Quoted only when it must be: some readers of the desktop's entries take the first word
    // of the line as it stands.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool quote =
        arg.isEmpty() || std::any_of(arg.begin(), arg.end(), [](QChar c) { return reserved.contains(c); });
    QString q = quote ? QStringLiteral("\"") : QString();
    for (const QChar c : arg) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) q += u'\\';
        q += c;
        if (c == u'%') q += u'%';
    }
    return quote ? q + u'"' : q;
}

QString EntryPath(const QString& id) {
    if (!id.endsWith(QStringLiteral(".desktop")) || id.contains(u'/')) return QString();
    for (const QString& dir : DataDirs()) {
        const QString base = dir + QStringLiteral("/applications/");
        // "vendor-app.desktop" may also live as vendor/app.desktop.
        QStringList candidates{base + id};
        for (qsizetype i = id.indexOf(u'-'); i > 0; i = id.indexOf(u'-', i + 1))
            candidates.append(base + id.left(i) + u'/' + id.mid(i + 1));
        for (const QString& path : candidates) {
            if (!QFileInfo(path).isFile()) continue;
            // The first folder that has the entry decides, even when it hides it.
            const QMap<QString, QString> e = ReadEntry(path);
            if (e.value(QStringLiteral("Hidden")) == u"true") return QString();
            const QString tryExec = e.value(QStringLiteral("TryExec"));
            if (!tryExec.isEmpty() && !canStart(tryExec)) return QString();
            const QString exec = e.value(QStringLiteral("Exec"));
            if (exec.isEmpty()) return e.value(QStringLiteral("DBusActivatable")) == u"true" ? path : QString();
            return canStart(ExecProgram(exec)) ? path : QString();
        }
    }
    return QString();
}

DefaultApp DefaultAppOf(const QString& type) {
    const QStringList lists = mimeappsLists();
    for (const QString& f : lists) {
        const QString id = firstInstalled(DefaultList(f, type));
        if (!id.isEmpty()) return {id, f};
    }
    for (const QString& f : lists) {
        const QString id = firstInstalled(idList(readGroup(f, QStringLiteral("Added Associations")).value(type)));
        if (!id.isEmpty()) return {id, QString()};
    }
    for (const QString& dir : DataDirs()) {
        const QString cache = dir + QStringLiteral("/applications/mimeinfo.cache");
        const QString id = firstInstalled(idList(readGroup(cache, QStringLiteral("MIME Cache")).value(type)));
        if (!id.isEmpty()) return {id, QString()};
    }
    return {};
}

QStringList UserMimeAppsLists() {
    QStringList files;
    for (const QString& d : currentDesktops()) {
        const QString f = ConfigHome() + u'/' + d + QStringLiteral("-mimeapps.list");
        if (QFileInfo::exists(f)) files.append(f);
    }
    files.append(ConfigHome() + QStringLiteral("/mimeapps.list"));
    return files;
}

QStringList DefaultList(const QString& mimeappsList, const QString& type) {
    return idList(readGroup(mimeappsList, kDefaults).value(type));
}

bool SetDefaultList(const QString& mimeappsList, const QString& type, const QStringList& ids) {
    bool readable = true;
    QStringList lines = readLines(mimeappsList, &readable);
    if (!readable) return false;
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    const QString newLine = ids.isEmpty() ? QString() : type + u'=' + ids.join(u';') + u';';
    qsizetype group = -1, end = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].trimmed();
        if (!t.startsWith(u'[')) continue;
        if (group >= 0) {
            end = i;
            break;
        }
        if (t == u'[' + kDefaults + u']') group = i;
    }
    bool done = false;
    if (group >= 0) {
        for (qsizetype i = group + 1; i < end && !done; ++i) {
            const QString t = lines[i].trimmed();
            const qsizetype eq = t.indexOf(u'=');
            if (eq <= 0 || t.startsWith(u'#') || t.left(eq).trimmed() != type) continue;
            if (newLine.isEmpty()) lines.removeAt(i);
            else lines[i] = newLine;
            done = true;
        }
        if (!done && !newLine.isEmpty()) {
            // After the group's last entry, before any blank lines that separate it.
            qsizetype at = end;
            while (at > group + 1 && lines[at - 1].trimmed().isEmpty()) --at;
            lines.insert(at, newLine);
        }
    } else if (!newLine.isEmpty()) {
        if (!lines.isEmpty()) lines.append(QString());
        lines.append(u'[' + kDefaults + u']');
        lines.append(newLine);
    } else {
        return true; // nothing to remove
    }
    return writeFile(mimeappsList, (lines.join(u'\n') + u'\n').toUtf8());
}

bool UserListsName(const QString& id) {
    for (const QString& f : UserMimeAppsLists())
        for (const QString& v : readGroup(f, kDefaults))
            if (idList(v).contains(id)) return true;
    return false;
}

QString UserEntryPath(const QString& id) { return DataHome() + QStringLiteral("/applications/") + id; }

bool WriteUserEntry(const QString& id, const QList<QPair<QString, QString>>& keys) {
    QString text = QStringLiteral("[Desktop Entry]\n");
    for (const auto& [k, v] : keys) text += k + u'=' + escape(v) + u'\n';
    return writeFile(UserEntryPath(id), text.toUtf8());
}

QStringList UserIconFiles(const QString& name) {
    QStringList files;
    const QString theme = DataHome() + QStringLiteral("/icons/hicolor");
    for (const QString& size : QDir(theme).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString f = theme + u'/' + size + QStringLiteral("/mimetypes/") + name + QStringLiteral(".png");
        if (QFileInfo::exists(f)) files.append(f);
    }
    return files;
}

bool InstallUserIcon(const QString& name, const QList<QImage>& sizes) {
    bool ok = true;
    for (const QImage& img : sizes) {
        const QString path = DataHome() + QStringLiteral("/icons/hicolor/%1x%1/mimetypes/").arg(img.width()) + name +
                             QStringLiteral(".png");
        QSaveFile f(path);
        ok = QDir().mkpath(QFileInfo(path).absolutePath()) && f.open(QIODevice::WriteOnly) && img.save(&f, "PNG") &&
             f.commit() && ok;
    }
    return ok;
}

QString UserMimePackage(const QString& name) {
    return DataHome() + QStringLiteral("/mime/packages/") + name + QStringLiteral(".xml");
}

bool WriteUserMimePackage(const QString& name, const QList<UserType>& types) {
    const QString path = UserMimePackage(name);
    if (types.isEmpty()) return !QFileInfo::exists(path) || QFile::remove(path);
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("mime-info"));
    w.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    for (const UserType& t : types) {
        w.writeStartElement(QStringLiteral("mime-type"));
        w.writeAttribute(QStringLiteral("type"), t.type);
        for (const QString& p : t.parents) {
            w.writeEmptyElement(QStringLiteral("sub-class-of"));
            w.writeAttribute(QStringLiteral("type"), p);
        }
        if (!t.comment.isEmpty()) w.writeTextElement(QStringLiteral("comment"), t.comment);
        if (!t.icon.isEmpty()) {
            w.writeEmptyElement(QStringLiteral("icon"));
            w.writeAttribute(QStringLiteral("name"), t.icon);
        }
        for (const QString& g : t.globs) {
            w.writeEmptyElement(QStringLiteral("glob"));
            w.writeAttribute(QStringLiteral("pattern"), g);
            if (t.weight != kDefaultWeight) w.writeAttribute(QStringLiteral("weight"), QString::number(t.weight));
        }
        w.writeEndElement();
    }
    w.writeEndDocument();
    return writeFile(path, xml);
}

bool CanOpen(const QUrl& url) {
    QStringList types;
    if (url.isLocalFile()) {
        const QString name = url.fileName();
        if (name.contains(u'.')) types = TypesOfExt(name.mid(name.lastIndexOf(u'.')));
    } else {
        types = {QStringLiteral("x-scheme-handler/") + url.scheme().toLower()};
    }
    for (const QString& type : types)
        if (!DefaultAppOf(type).id.isEmpty()) return true;
    if (url.scheme() == u"mailto") return false;
    QStringList browsers = qEnvironmentVariable("BROWSER").split(u':', Qt::SkipEmptyParts);
    browsers << QStringLiteral("x-www-browser") << QStringLiteral("www-browser") << QStringLiteral("firefox")
             << QStringLiteral("chromium") << QStringLiteral("chromium-browser") << QStringLiteral("google-chrome")
             << QStringLiteral("epiphany") << QStringLiteral("konqueror");
    return std::any_of(browsers.begin(), browsers.end(),
                       [](const QString& b) { return canStart(b.trimmed().section(u' ', 0, 0)); });
}

void UpdateDatabases() {
    const QString mime = DataHome() + QStringLiteral("/mime");
    if (QFileInfo(mime + QStringLiteral("/packages")).isDir()) run(QStringLiteral("update-mime-database"), {mime});
    const QString apps = DataHome() + QStringLiteral("/applications");
    if (QFileInfo(apps).isDir()) run(QStringLiteral("update-desktop-database"), {apps});
}

} // namespace xdg
