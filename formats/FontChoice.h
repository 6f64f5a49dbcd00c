// A font list for the formats' forms. A name selects the first listed font that is equal to it or
// sorts after it (trimmed, lower-cased, compared code by code, in list order), none when every font
// sorts before it; the font named in a file is what the form gives back until the user picks
// another, whether or not such a font is installed.
#pragma once

#include <QComboBox>

class FontChoice : public QComboBox {
    Q_OBJECT
public:
    explicit FontChoice(QWidget* parent = nullptr);

    // Fills the list from the screen fonts (again), keeping the current choice.
    void fillFonts();
    void setFontName(const QString& name);
    // A form's own default is named as the list spells it when the list holds that font.
    void useListSpelling();
    // The requested name unless the user chose another (then the chosen font's family); never
    // empty while the list has fonts.
    QString fontName() const;

private:
    QString requested_;
    bool userChose_ = false;
    bool filling_ = false;
};

// The family of a listed font, without the foundry the list adds in brackets when a family
// comes from more than one ("Nimbus Sans [urw]"): files name families.
QString FamilyName(const QString& listed);
