// What the association program does with a choice of rows, with or without its window: the
// folder comes from the command line and names the editor's folder.
#pragma once

#include <QString>
#include <array>

namespace assoc {

// The rows chosen before the user changes anything: every extension but ".Txt".
std::array<bool, 6> Preselection();
// The folder as typed, made absolute: one pair of surrounding double quotes and a trailing "/"
// removed.
QString FolderOf(const QString& commandLine);
// Makes the desktop match the choice for the editor FOLDER/lumerin. When a row is to be
// associated and the folder holds no editor, the user is told and nothing changes; false then.
bool ApplyAssociations(const QString& commandLine, const std::array<bool, 6>& selected);
// The program without a window: "-u" removes the editor's associations, a folder associates
// the preselected rows. Messages go to the error output; the exit code is 0 when none was due.
int RunWithoutWindow(const QString& commandLine);
// True when the program must run without a window: "-u", or no display to show one on.
bool WithoutWindow(const QString& commandLine);

} // namespace assoc
