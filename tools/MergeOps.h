// The merge of a second subtitle file into the list, before or after it, with the optional move
// of the second part so that it follows the first; shared by the merge dialog and wizard.
#pragma once

#include <QString>
#include <QtGlobal>

class clsSubs;

// The name a typed path is loaded by: ".srt" is added when the path holds no "." anywhere.
QString MergeLoadName(const QString& typed);

// Tells the user when the folder of name or the file itself does not exist, and gives false
// then. The file is checked also after a missing folder when both is set.
bool MergeFileExists(const QString& name, bool both = false);

// Loads the file named typed (".srt" added as MergeLoadName says; its format chosen by name and
// first line) and joins it to Subs: before the loaded entries when before, else after them.
// With shift, the second part is moved so that its first entry starts delay ms after the first
// part's last time-out (after 0 when the first part is empty). Every check comes first: a
// missing folder or file, a format that can't be decided, a file that can't be read in full or
// two parts that would not fit in the list stop the merge with a message, and false, before
// the document is touched. Otherwise the document is replaced in one step and raises one
// MajorChange.
bool MergeWithFile(clsSubs& Subs, const QString& typed, bool before, bool shift, qint32 delay);
