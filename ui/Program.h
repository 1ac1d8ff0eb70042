#pragma once

#include <QString>

// The application-wide part of the start-up, before the windows are made: the program's
// title from the name of its file (the caption of error reports, the task bar's text),
// its fonts registered, and the window font as every window's default.
void SetUpProgram(const QString& programPath);
