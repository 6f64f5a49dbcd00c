// A font list for the formats' forms that keeps the font named in a file even when no such font
// is installed: the list shows the nearest installed one, and the requested name is what the
// form gives back until the user picks another. An installed font is given back as listed.
#pragma once

#include <QComboBox>

class FontChoice : public QComboBox {
    Q_OBJECT
public:
    explicit FontChoice(QWidget* parent = nullptr);

    // Fills the list from the screen fonts (again), keeping the current choice.
    void fillFonts();
    void setFontName(const QString& name);
    // The requested name unless the user chose another; never empty while the list has fonts.
    QString fontName() const;

private:
    QString requested_;
    bool userChose_ = false;
    bool filling_ = false;
};
