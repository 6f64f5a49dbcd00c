// The marker boxes of the shift and stretch dialogs: a framed number field or time entry with
// its small buttons.
#pragma once

#include <QString>
#include <QStyle>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;
class TimeText;

namespace MarkerGroups {
QGroupBox* Frame(QWidget* parent, const QString& name, const QString& caption, int x, int y);
QLineEdit* NumberField(QGroupBox* frame, const QString& name);
TimeText* TimeField(QGroupBox* frame, const QString& name);
// The n-th small button (from 0) after the field.
QPushButton* Button(QWidget* field, const QString& name, int n, QStyle::StandardPixmap icon, const char* tip);
constexpr int FrameWidth = 170;
constexpr int FrameHeight = 58;
} // namespace MarkerGroups
