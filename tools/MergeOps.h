// The merge of a second subtitle file into the list, before or after it, with the optional move
// of the second part so that it follows the first; shared by the merge dialog and wizard.
#pragma once

#include <QString>
#include <QtGlobal>

class clsSubs;

// The name a typed path is loaded by: ".srt" is added when the path holds no "." anywhere.
QString MergeLoadName(const QString& typed);

// Loads the file at name (its format chosen by name and first line) and joins it to Subs:
// before the loaded entries when before, else after them. With shift, the second part is
// moved so that its first entry starts delay ms after the first part's last time-out (after
// 0 when the first part is empty). The document is replaced in one step and raises one
// MajorChange; it is left whole, with its notifications on, whenever the merge stops: false
// when the format can't be chosen or the two parts would not fit in the list (the user has
// been told). A reader's own faults are reported by its format, and what it read is joined.
bool MergeWithFile(clsSubs& Subs, const QString& name, bool before, bool shift, qint32 delay);
