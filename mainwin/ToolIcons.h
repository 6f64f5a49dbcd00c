// The main window's toolbar and menu icons, painted in code so that they need no image files
// or image plug-ins and stay sharp at any scale.
#pragma once

#include <QIcon>
#include <QString>

// name: new, open, save, print, visual, shift, stretch, split, merge, goto, prevbad, nextbad,
// find, add, insert, delete, markshift, markstretch1, markstretch2. An unknown name gives an
// empty icon.
QIcon ToolIcon(const QString& name);
