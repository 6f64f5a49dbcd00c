#include "formats/FontChoice.h"
#include "platform/Desktop.h"

#include <QFontInfo>

FontChoice::FontChoice(QWidget* parent) : QComboBox(parent) {
    fillFonts();
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) userChose_ = true;
    });
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
    filling_ = true;
    int i = findText(name, Qt::MatchFixedString); // case-insensitive
    const bool installed = i >= 0;
    if (i < 0 && !name.isEmpty()) {
        // Nearest shown: the longest installed name that starts the requested one, or the reverse.
        int best = -1;
        for (int k = 0; k < count(); ++k) {
            const QString f = itemText(k);
            if ((name.startsWith(f, Qt::CaseInsensitive) || f.startsWith(name, Qt::CaseInsensitive)) &&
                (best < 0 || f.size() > itemText(best).size()))
                best = k;
        }
        i = best;
        if (i < 0) {
            // The font the system would use in its place.
            const QString substitute = QFontInfo(QFont(name)).family();
            i = findText(substitute, Qt::MatchFixedString);
        }
    }
    setCurrentIndex(i >= 0 ? i : (count() > 0 ? 0 : -1));
    filling_ = false;
    // An installed font is named as the system spells it; only a missing one keeps the file's name.
    requested_ = name.isEmpty() || installed ? currentText() : name;
    userChose_ = false;
}

QString FontChoice::fontName() const {
    if (userChose_ || requested_.isEmpty()) return currentText();
    return requested_;
}
