// Operations on the whole list that write or replace files: the split of the list into two
// subtitle files, each in a format of its own, with the optional reload of one part.
#pragma once

#include <QString>
#include <QtGlobal>

class ToolHost;
class clsSubs;
class clsTime;

// Writes entries 0..x of Subs to file1 and x+1..count-1 to file2, each in the format of the
// save dialog's filter index minus one (0: by extension). With shift, the second part is moved
// so that its first entry starts at shiftTime. With open, the first (first) or the second part
// is then loaded in place of the document, and the main window is told (caption, LoadReset). The caller has
// checked 0 <= x < count - 1. False when a part could not be written or read back; the document is then left
// as it was, and nothing is loaded after a failed write.
bool SplitToFiles(const QString& file1, const QString& file2, int x, clsSubs& Subs, bool shift, qint32 shiftTime,
                  bool open, bool first, clsTime& cSel, int type1, int type2, ToolHost& host);
