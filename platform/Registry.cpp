#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStringList>
#include <vector>

namespace {
QString& overridePath() {
    static QString path;
    return path;
}

struct Key {
    QString name;
    std::optional<QString> value;
    std::vector<Key> subkeys;

    Key* find(const QString& n) {
        for (Key& k : subkeys)
            if (k.name.compare(n, Qt::CaseInsensitive) == 0) return &k;
        return nullptr;
    }
};

// The file holds the tree as JSON: each key an object with its name, its default value when it
// has one, and its subkeys.
Key fromJson(const QJsonObject& o) {
    Key k;
    k.name = o.value(QStringLiteral("name")).toString();
    const QJsonValue v = o.value(QStringLiteral("value"));
    if (v.isString()) k.value = v.toString();
    for (const QJsonValue& s : o.value(QStringLiteral("keys")).toArray()) k.subkeys.push_back(fromJson(s.toObject()));
    return k;
}

QJsonObject toJson(const Key& k, bool root) {
    QJsonObject o;
    if (!root) o.insert(QStringLiteral("name"), k.name);
    if (k.value) o.insert(QStringLiteral("value"), *k.value);
    QJsonArray subs;
    for (const Key& s : k.subkeys) subs.append(toJson(s, false));
    o.insert(QStringLiteral("keys"), subs);
    return o;
}

// The whole tree, or nothing when the file exists but can't be read or understood.
std::optional<Key> load() {
    QFile f(RegistryPath());
    if (!f.exists()) return Key{};
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (bytes.trimmed().isEmpty()) return Key{};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    return fromJson(doc.object());
}

bool save(const Key& root) {
    const QString path = RegistryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(QJsonDocument(toJson(root, true)).toJson(QJsonDocument::Indented));
    return f.commit();
}

// The names of a key path; nothing when a name is empty (a path with a leading, trailing or
// doubled "\" names no key).
std::optional<QStringList> names(const QString& key) {
    const QStringList parts = key.split(u'\\');
    for (const QString& p : parts)
        if (p.isEmpty()) return std::nullopt;
    return parts;
}

Key* walk(Key& root, const QStringList& parts) {
    Key* k = &root;
    for (const QString& p : parts)
        if (!(k = k->find(p))) return nullptr;
    return k;
}
} // namespace

QString RegistryPath() {
    if (!overridePath().isEmpty()) return overridePath();
    const QString env = qEnvironmentVariable("LUMERIN_REGISTRY");
    if (!env.isEmpty()) return env;
    return QDir::homePath() + QStringLiteral("/.config/lumerin/registry");
}

void SetRegistryPath(const QString& path) { overridePath() = path; }

bool RegKeyExists(const QString& key) {
    const auto parts = names(key);
    std::optional<Key> root = load();
    return parts && root && walk(*root, *parts);
}

bool RegCreateKey(const QString& key) {
    const auto parts = names(key);
    std::optional<Key> root = load();
    if (!parts || !root) return false;
    Key* k = &*root;
    bool created = false;
    for (const QString& p : *parts) {
        Key* next = k->find(p);
        if (!next) {
            k->subkeys.push_back(Key{p, std::nullopt, {}});
            next = &k->subkeys.back();
            created = true;
        }
        k = next;
    }
    return !created || save(*root);
}

std::optional<QString> RegDefaultValue(const QString& key) {
    const auto parts = names(key);
    std::optional<Key> root = load();
    if (!parts || !root) return std::nullopt;
    const Key* k = walk(*root, *parts);
    return k ? k->value : std::nullopt;
}

bool RegSetDefaultValue(const QString& key, const QString& value) {
    const auto parts = names(key);
    std::optional<Key> root = load();
    if (!parts || !root) return false;
    Key* k = walk(*root, *parts);
    if (!k) return false;
    k->value = value;
    return save(*root);
}

bool RegDeleteKey(const QString& key) {
    const auto parts = names(key);
    std::optional<Key> root = load();
    if (!parts || !root) return false;
    Key* parent = walk(*root, parts->mid(0, parts->size() - 1));
    Key* k = parent ? parent->find(parts->last()) : nullptr;
    if (!k || !k->subkeys.empty()) return false;
    parent->subkeys.erase(parent->subkeys.begin() + (k - parent->subkeys.data()));
    return save(*root);
}
