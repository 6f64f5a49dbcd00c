// The icons the association lists show beside the extensions: index 1-6 for the rows "*.Srt"
// to "*.Txt", index 0 for no row.
#pragma once

#include <QPixmap>

QPixmap ExtIcon(int index);
