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
// so that its first entry starts at shiftTime. Both files are written or neither: when a part
// can't be written, the user is told which, and every file is left as it was. With open, the
// first (first) or the second part is then loaded in place of the document through the main
// window, which makes it the current file in its format. The caller has checked
// 0 <= x < count - 1. False when the parts were not written.
bool SplitToFiles(const QString& file1, const QString& file2, int x, clsSubs& Subs, bool shift, qint32 shiftTime,
                  bool open, bool first, clsTime& cSel, int type1, int type2, ToolHost& host);
