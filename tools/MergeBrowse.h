// The open dialog of the merge windows, started in the default subtitle folder.
#pragma once

#include <QString>

class QWidget;
class ToolHost;

// The chosen path or "cancel". An empty or missing default subtitle folder is first reset to
// the program folder, as the main window's Open does.
QString BrowseMergeFile(QWidget* owner, ToolHost& host, const QString& title);
