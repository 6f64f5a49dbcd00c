// The printed subtitle listing: the file's path and a heading on every page, then one row per
// subtitle with its number, times and text, on the installed printer without a print dialog
// (with no printer installed, into a PDF file the user names).
#pragma once

#include <QString>

class clsSubs;
class Printer;

// Prints subs under the heading file (the full path, "" when untitled); a printer that can't
// be used is told to the user, a print the user cancelled is not.
void PrintListing(const clsSubs& subs, const QString& file);
// The same on a given printer; false when nothing was printed.
bool PrintListing(const clsSubs& subs, const QString& file, Printer& p);
