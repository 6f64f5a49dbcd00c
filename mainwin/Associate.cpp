#include "mainwin/Associate.h"
#include "platform/MsgBox.h"
#include "platform/Registry.h"

namespace {
const QString kBackup = QStringLiteral("\\lumiold");
const QString kCommand = QStringLiteral("\\shell\\open\\command");

void deleteOrTell(const QString& key) {
    if (!RegDeleteKey(key)) MsgBox(QStringLiteral("Couldn't delete registry key. ") + key, vb::OKOnly);
}
} // namespace

QString GetKeyDefault(const QString& key) { return RegDefaultValue(key).value_or(QString()); }

QString GetOpenCommand(const QString& ext) { return GetKeyDefault(GetKeyDefault(ext) + kCommand); }

void BackupAssociation(const QString& ext) {
    const std::optional<QString> current = RegDefaultValue(ext);
    if (!current) return;
    if (RegCreateKey(ext + kBackup)) RegSetDefaultValue(ext + kBackup, *current);
}

void AssociateExt(const QString& ext, const QString& program, const QString& className, const QString& description,
                  const QString& icon) {
    if (!GetKeyDefault(ext).isEmpty()) BackupAssociation(ext);
    const QString command = u'"' + program + QStringLiteral("\" \"%1\"");
    const bool done = RegCreateKey(ext) && RegSetDefaultValue(ext, className) && RegCreateKey(className) &&
                      RegSetDefaultValue(className, description) &&
                      RegCreateKey(className + QStringLiteral("\\DefaultIcon")) &&
                      RegSetDefaultValue(className + QStringLiteral("\\DefaultIcon"), icon) &&
                      RegCreateKey(className + QStringLiteral("\\shell")) &&
                      RegCreateKey(className + QStringLiteral("\\shell\\open")) && RegCreateKey(className + kCommand) &&
                      RegSetDefaultValue(className + kCommand, command);
    Q_UNUSED(done); // failures are silent: the layout stays as far as it got
}

void UnassociateExt(const QString& ext) {
    const std::optional<QString> className = RegDefaultValue(ext);
    if (!className) return;
    for (const char* sub : {"\\DefaultIcon", "\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
        deleteOrTell(*className + QString::fromLatin1(sub));

    if (!RegKeyExists(ext + kBackup)) {
        deleteOrTell(ext);
        return;
    }
    const std::optional<QString> old = RegDefaultValue(ext + kBackup);
    if (!old) return;
    deleteOrTell(ext + kBackup);
    if (RegKeyExists(ext)) RegSetDefaultValue(ext, *old);
}

bool IsEditorExt(const QString& ext) {
    const QString command = GetOpenCommand(ext);
    return !command.isEmpty() && command.contains(QStringLiteral("lumerin"), Qt::CaseInsensitive);
}

const QStringList& ExtRows() {
    static const QStringList rows{QStringLiteral("*.Srt"),  QStringLiteral("*.Sub"), QStringLiteral("*.Smi"),
                                  QStringLiteral("*.Sami"), QStringLiteral("*.Ssa"), QStringLiteral("*.Txt")};
    return rows;
}

QString ExtOfRow(int row) { return ExtRows().at(row).mid(1); }

void MatchAssociations(const std::array<bool, 6>& selected, const QString& program, const QString& iconLibrary) {
    std::array<bool, 6> associate{}, remove{};
    for (int i = 0; i < 6; ++i) {
        const bool editors = IsEditorExt(ExtOfRow(i));
        associate[i] = selected[i] && !editors;
        remove[i] = !selected[i] && editors;
    }
    for (int i = 0; i < 6; ++i) {
        const QString ext = ExtOfRow(i);
        if (associate[i])
            AssociateExt(ext, program, QStringLiteral("Lumerin") + ext, QStringLiteral("Subtitle file"),
                         iconLibrary + QString::number(i + 1));
        else if (remove[i]) UnassociateExt(ext);
    }
}
