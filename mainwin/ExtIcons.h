// The icons the association lists show beside the extensions: index 1-6 for the rows "*.Srt"
// to "*.Txt", index 0 for no row.
#pragma once

#include <QPixmap>
#include <array>

class QGridLayout;
class QLabel;
class QListWidget;

// Drawn at size pixels square (a 32-pixel design, scaled).
QPixmap ExtIcon(int index, int size = 32);

// The list of extension rows ("lstExt") and the icons beside it ("imgIcon_0" to "imgIcon_6"),
// as the settings window and the association program both show them, added at row of grid.
QListWidget* AddExtList(QGridLayout* grid, int row, std::array<QLabel*, 7>& imgIcon);
// Shows the icon of the focused row (index 0 when no row has the focus).
void ShowExtIcon(const QListWidget* lstExt, const std::array<QLabel*, 7>& imgIcon);
