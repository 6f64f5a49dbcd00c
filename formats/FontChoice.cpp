#include "formats/FontChoice.h"
#include "platform/Desktop.h"

FontChoice::FontChoice(QWidget* parent) : QComboBox(parent) {
    fillFonts();
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) userChose_ = true;
    });
    // Also a font picked again where the list already stood.
    connect(this, &QComboBox::activated, this, [this] { userChose_ = true; });
}

void FontChoice::fillFonts() {
    const QString keep = fontName();
    filling_ = true;
    clear();
    addItems(ScreenFonts());
    filling_ = false;
    if (!keep.isEmpty()) setFontName(keep);
}

void FontChoice::setFontName(const QString& name) {
    // The same choice whatever fonts are installed: no substitute of the system's.
    const QString wanted = name.trimmed().toLower();
    int i = -1;
    for (int k = 0; k < count() && i < 0; ++k)
        if (itemText(k).trimmed().toLower().compare(wanted, Qt::CaseSensitive) >= 0) i = k;
    filling_ = true;
    setCurrentIndex(i);
    filling_ = false;
    requested_ = name;
    userChose_ = false;
}

void FontChoice::useListSpelling() {
    const QString listed = FamilyName(currentText());
    if (listed.toLower() == requested_.trimmed().toLower()) requested_ = listed;
}

QString FontChoice::fontName() const {
    if (userChose_ || requested_.isEmpty()) return FamilyName(currentText());
    return requested_;
}

QString FamilyName(const QString& listed) {
    const QString name = listed.trimmed();
    const qsizetype foundry = name.lastIndexOf(QStringLiteral(" ["));
    if (foundry <= 0 || !name.endsWith(u']')) return name;
    return name.left(foundry).trimmed();
}
