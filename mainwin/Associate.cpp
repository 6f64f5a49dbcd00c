#include "mainwin/Associate.h"
#include "mainwin/ExtIcons.h"
#include "platform/Associations.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace {
const QString kCommand = QStringLiteral("\\shell\\open\\command");
const QString kDesktop = QStringLiteral(".desktop");
// Marks the entries this module wrote, with the class they stand for.
const QString kClassKey = QStringLiteral("X-Lumerin-Class");
// The pattern of the extension's type of the editor's own (typesToSet), when it has one.
const QString kGlobKey = QStringLiteral("X-Lumerin-Glob");
// The defaults the association copied from a system list into the user's ("type:id;").
const QString kCopiedKey = QStringLiteral("X-Lumerin-Copied");
const QString kPackage = QStringLiteral("lumerin");

QString idOfClass(const QString& className) { return className.toLower() + kDesktop; }
QString iconOfClass(const QString& className) { return className.toLower().replace(u'.', u'-'); }

// The entry of a class name, found as spelled or in the lower case the editor writes.
QString entryOfClass(const QString& className) {
    if (className.isEmpty()) return QString();
    const QString path = xdg::EntryPath(className + kDesktop);
    return path.isEmpty() ? xdg::EntryPath(idOfClass(className)) : path;
}

QString commandOf(const QString& id) {
    const QString path = xdg::EntryPath(id);
    return path.isEmpty() ? QString() : xdg::ReadEntry(path).value(QStringLiteral("Exec"));
}

bool isEditorCommand(const QString& command) {
    return !command.isEmpty() && command.contains(QStringLiteral("lumerin"), Qt::CaseInsensitive);
}

void tell(const QString& what) { MsgBox(QStringLiteral("Couldn't delete registry key. ") + what, vb::OKOnly); }

// The user's lists that decide the type's default: those of the current desktop that name
// the type, and always the common one.
QStringList listsFor(const QString& type) {
    QStringList lists = xdg::UserMimeAppsLists();
    const QString common = lists.takeLast();
    lists.erase(std::remove_if(lists.begin(), lists.end(),
                               [&](const QString& f) { return xdg::DefaultList(f, type).isEmpty(); }),
                lists.end());
    return lists << common;
}

// The extension's type of the editor's own, in the user's MIME package.
QString ownType(const QString& ext) { return QStringLiteral("application/x-lumerin-") + ext.mid(1).toLower(); }
QString globOf(const QString& ext) { return u'*' + ext.toLower(); }
// Above the system's usual weight, so that the extension's files get the editor's type.
constexpr int kOwnWeight = 80;

// Every type the desktop gives the extension but the editor's own.
QStringList systemTypes(const QString& ext) { return xdg::TypesOfExt(ext, {ownType(ext)}); }

// The types whose default the association sets. The system's types when they are the
// extension's alone; when a type also serves other extensions (".smi" is also SMIL, ".ssa"
// shares its type with ".ass", ".sami" with ".smi") or there is none, a type of its own,
// so that exactly the extension's files change and each extension can be set by itself.
QStringList typesToSet(const QString& ext) {
    const QStringList types = systemTypes(ext);
    const bool alone = !types.isEmpty() && std::all_of(types.begin(), types.end(), [&](const QString& type) {
        const QStringList patterns = xdg::PatternsOfType(type);
        return std::all_of(patterns.begin(), patterns.end(),
                           [&](const QString& p) { return p.compare(globOf(ext), Qt::CaseInsensitive) == 0; });
    });
    return alone ? types : QStringList{ownType(ext)};
}

// The user's MIME package follows the editor's entries: each type they open gets the
// description and icon of its class, and a type of the editor's own keeps its pattern, above
// the system's types of the extension, and is a kind of them.
void refreshDatabase() {
    QList<xdg::UserType> types;
    const QString apps = xdg::DataHome() + QStringLiteral("/applications/");
    const QStringList files = QDir(apps).entryList({QStringLiteral("*") + kDesktop}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QMap<QString, QString> e = xdg::ReadEntry(apps + file);
        if (!e.contains(kClassKey)) continue;
        const QString glob = e.value(kGlobKey);
        for (const QString& type : e.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts)) {
            if (glob.isEmpty() && xdg::DefaultAppOf(type).id != file) continue;
            auto it = std::find_if(types.begin(), types.end(), [&](const xdg::UserType& t) { return t.type == type; });
            if (it == types.end()) {
                xdg::UserType t;
                t.type = type;
                t.comment = e.value(QStringLiteral("Comment"));
                t.icon = e.value(QStringLiteral("Icon"));
                types.append(t);
                it = types.end() - 1;
            }
            if (!glob.isEmpty() && !it->globs.contains(glob)) {
                it->globs.append(glob);
                it->weight = kOwnWeight;
                it->parents = xdg::TypesOfExt(glob.mid(1), {type});
            }
        }
    }
    xdg::WriteUserMimePackage(kPackage, types);
    xdg::UpdateDatabases();
}

// The association without the refresh of the desktop's database; false when a step failed.
bool associate(const QString& ext, const QString& program, const QString& className, const QString& description,
               int icon) {
    const QString id = idOfClass(className), iconName = iconOfClass(className);
    const QStringList types = typesToSet(ext);
    QStringList copied = BackupAssociation(ext);
    // Associated again, the entry keeps what the first association copied.
    copied += xdg::ReadEntry(xdg::UserEntryPath(id)).value(kCopiedKey).split(u';', Qt::SkipEmptyParts);
    copied.removeDuplicates();

    QList<QPair<QString, QString>> entry{
        {QStringLiteral("Type"), QStringLiteral("Application")},
        {QStringLiteral("Name"), QStringLiteral("Lumerin")},
        {QStringLiteral("Comment"), description},
        {QStringLiteral("Exec"), xdg::ExecQuote(program) + QStringLiteral(" %f")},
        {QStringLiteral("Icon"), iconName},
        {QStringLiteral("MimeType"), types.join(u';') + u';'},
        // One entry per class: the menus show none of them, the file managers offer them.
        {QStringLiteral("NoDisplay"), QStringLiteral("true")},
        {QStringLiteral("Terminal"), QStringLiteral("false")},
        {kClassKey, className},
    };
    if (types == QStringList{ownType(ext)}) entry.append({kGlobKey, globOf(ext)});
    if (!copied.isEmpty()) entry.append({kCopiedKey, copied.join(u';') + u';'});
    if (!xdg::WriteUserEntry(id, entry)) return false;
    QList<QImage> images;
    for (int size : {32, 64}) images.append(ExtIcon(icon, size).toImage());
    if (!xdg::InstallUserIcon(iconName, images)) return false;
    for (const QString& type : types) {
        for (const QString& list : listsFor(type)) {
            QStringList ids = xdg::DefaultList(list, type);
            ids.removeAll(id);
            ids.prepend(id);
            if (!xdg::SetDefaultList(list, type, ids)) return false;
        }
    }
    return true;
}

// The application that one of the editor's entries copied into the user's list for type.
QString copiedFor(const QString& type, const QStringList& editorIds) {
    for (const QString& id : editorIds)
        for (const QString& c : xdg::ReadEntry(xdg::UserEntryPath(id)).value(kCopiedKey).split(u';'))
            if (c.section(u':', 0, 0) == type) return c.section(u':', 1);
    return QString();
}

// The removal without the refresh of the desktop's database. The editor leaves the
// extension's own type, which goes with it, and the system's types of the extension: no
// other row of the editor's uses those, as a type that serves several extensions is never set.
void unassociate(const QString& ext) {
    const QString own = ownType(ext);
    const QStringList types = systemTypes(ext) << own;
    const QString common = xdg::UserMimeAppsLists().last();
    QStringList removed;
    for (const QString& type : types) {
        for (const QString& list : xdg::UserMimeAppsLists()) {
            const QStringList ids = xdg::DefaultList(list, type);
            QStringList kept, editors;
            for (const QString& id : ids) (isEditorCommand(commandOf(id)) ? editors : kept).append(id);
            for (const QString& id : editors)
                if (!removed.contains(id)) removed.append(id);
            // A default copied from a system list goes with the editor, so that the system's
            // later choices reach the user again; one the user has changed since stays.
            if (type == own ||
                (list == common && !editors.isEmpty() && kept.size() == 1 && kept.first() == copiedFor(type, editors)))
                kept.clear();
            if (kept.size() != ids.size() && !xdg::SetDefaultList(list, type, kept)) tell(list + u' ' + type);
        }
    }
    for (const QString& id : removed) {
        const QString path = xdg::UserEntryPath(id);
        const QMap<QString, QString> e = xdg::ReadEntry(path);
        if (!e.contains(kClassKey) || xdg::UserListsName(id)) continue;
        if (!QFile::remove(path)) {
            tell(path);
            continue;
        }
        for (const QString& file : xdg::UserIconFiles(e.value(QStringLiteral("Icon"))))
            if (!QFile::remove(file)) tell(file);
    }
    // A list the user can't change that still chooses the editor.
    for (const QString& type : types) {
        const xdg::DefaultApp now = xdg::DefaultAppOf(type);
        if (!now.list.isEmpty() && !xdg::UserMimeAppsLists().contains(now.list) && isEditorCommand(commandOf(now.id)))
            tell(now.list + u' ' + type);
    }
}
} // namespace

QString GetKeyDefault(const QString& key) {
    if (key.startsWith(u'.')) {
        if (key.contains(u'\\')) return QString();
        const QStringList types = xdg::TypesOfExt(key);
        if (types.isEmpty()) return QString();
        QString id = xdg::DefaultAppOf(types.first()).id;
        return id.left(id.size() - kDesktop.size());
    }
    const QString path = entryOfClass(key.section(u'\\', 0, 0));
    if (path.isEmpty()) return QString();
    const QString sub = key.section(u'\\', 1).toLower();
    const QMap<QString, QString> e = xdg::ReadEntry(path);
    if (sub.isEmpty()) return e.value(QStringLiteral("Comment"));
    if (sub == u"defaulticon") return e.value(QStringLiteral("Icon"));
    if (sub == kCommand.mid(1)) return e.value(QStringLiteral("Exec"));
    return QString();
}

QString GetOpenCommand(const QString& ext) {
    const QString className = GetKeyDefault(ext);
    return className.isEmpty() ? QString() : GetKeyDefault(className + kCommand);
}

QStringList BackupAssociation(const QString& ext) {
    // What a system-wide list chooses now is written into the user's own list, so that it stays
    // behind the editor whatever the system's lists say meanwhile. The editor's own classes are
    // never kept.
    const QString common = xdg::UserMimeAppsLists().last();
    QStringList copied;
    for (const QString& type : typesToSet(ext)) {
        if (!xdg::DefaultList(common, type).isEmpty()) continue;
        const xdg::DefaultApp now = xdg::DefaultAppOf(type);
        if (now.list.isEmpty() || isEditorCommand(commandOf(now.id))) continue;
        if (!xdg::SetDefaultList(common, type, {now.id})) break;
        copied.append(type + u':' + now.id);
    }
    return copied;
}

void AssociateExt(const QString& ext, const QString& program, const QString& className, const QString& description,
                  int icon) {
    associate(ext, program, className, description, icon);
    refreshDatabase();
}

void UnassociateExt(const QString& ext) {
    unassociate(ext);
    refreshDatabase();
}

bool IsEditorExt(const QString& ext) {
    const QStringList types = xdg::TypesOfExt(ext);
    return !types.isEmpty() && std::all_of(types.begin(), types.end(), [](const QString& type) {
        return isEditorCommand(commandOf(xdg::DefaultAppOf(type).id));
    });
}

const QStringList& ExtRows() {
    static const QStringList rows{QStringLiteral("*.Srt"),  QStringLiteral("*.Sub"), QStringLiteral("*.Smi"),
                                  QStringLiteral("*.Sami"), QStringLiteral("*.Ssa"), QStringLiteral("*.Txt")};
    return rows;
}

QString ExtOfRow(int row) { return ExtRows().at(row).mid(1); }

std::array<bool, 6> EditorRows() {
    std::array<bool, 6> rows{};
    for (int i = 0; i < 6; ++i) rows[i] = IsEditorExt(ExtOfRow(i));
    return rows;
}

void MatchAssociations(const std::array<bool, 6>& selected, const QString& program,
                       const std::array<bool, 6>& editors) {
    bool changed = false;
    for (int i = 0; i < 6; ++i) {
        const QString ext = ExtOfRow(i);
        if (selected[i] && !editors[i])
            associate(ext, program, QStringLiteral("Lumerin") + ext, QStringLiteral("Subtitle file"), i + 1);
        else if (!selected[i] && editors[i]) unassociate(ext);
        else continue;
        changed = true;
    }
    // The desktop's database is rebuilt once for the whole choice.
    if (changed) refreshDatabase();
}
