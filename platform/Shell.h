// Opening a document or web address with the application the desktop associates with it; a
// failure is told to the user, nothing is returned.
#pragma once

#include <QString>

void ShellOpen(const QString& document);
