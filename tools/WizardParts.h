// Pieces that the shift and stretch wizards build alike: the range page, the marker objects and
// their pickers bound as the frame prescribes.
#pragma once

#include <QString>

class QLabel;
class QObject;
class QWidget;
class QLineEdit;
class QRadioButton;
class TimeText;
class ToolHost;
class clsSubs;
class clsTime;
class frmSubSelector;
class frmTimeSelector;

namespace WizardParts {
constexpr qint32 MaxTime = 1073741824; // 2^30 ms

QLineEdit* NumberField(const char* name);
TimeText* TimeField(const char* name);

// A subtitle marker: -2 to count - 1 (Max set first).
clsTime* SubMarker(QObject* owner, const clsSubs& c);
// A time marker: 0 to 2^30 ms.
clsTime* TimeMarker(QObject* owner);

// A subtitle picker listing c in simple mode m. It selects into selection, or into a private
// selection (-2) when that is null; the marker slots not given show that selection, and with
// none given it draws no markers.
frmSubSelector* SubPicker(QWidget* owner, ToolHost& host, clsSubs* c, clsTime* s, clsTime* s1, clsTime* s2, int m,
                          const QString& info, clsTime* selection = nullptr);
// A time picker on the wizard's time marker, playing the Visual Editor's video. Returns the video
// name ("" when none).
frmTimeSelector* TimePicker(QWidget* owner, ToolHost& host, clsTime* marker, QString& video);

extern const QString TimeInstruction;
extern const QString TypeTime;
} // namespace WizardParts
