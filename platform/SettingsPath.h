// Where the program keeps a settings file: beside the program when its folder can be written,
// else in $XDG_CONFIG_HOME/lumerin (default ~/.config/lumerin).
#pragma once

#include <QString>

QString SettingsFilePath(const QString& name);
