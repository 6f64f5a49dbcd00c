// The work behind the shift and stretch tools' action buttons: the checks of the markers and of
// the range, each refused with its message, then the document's re-timing. Dialogs and wizards
// share them.
#pragma once

#include <QtGlobal>

class ToolHost;
class clsSubs;

// True when the document was re-timed; false after a message, with nothing changed. Every new
// time is worked out before the document is touched: a run is refused when a time would leave
// the range a subtitle's time can have, and a stretch also when its two sub markers are one
// subtitle or its factor would be zero or below.
bool RunShift(ToolHost& host, clsSubs& subs, qint32 S, qint32 T, bool selectionOnly);
bool RunStretch(ToolHost& host, clsSubs& subs, qint32 S1, qint32 S2, qint32 T1, qint32 T2, bool selectionOnly);
