#pragma once

#include <QIcon>
#include <QRect>
#include <QString>

class QWidget;

// The application-wide part of the start-up, before the windows are made: the program's
// title from the name of its file (the caption of error reports, the task bar's text),
// its fonts registered, the window font as every window's default, and Qt's own texts in
// Serbian.
void SetUpProgram(const QString& programPath);

// A window of the program as it opens: its object name, caption, icon and the program's
// font, its client area at the given place on the screen. Where the screen's available
// area does not hold the window there, its first show moves it onto the area.
void SetUpWindow(QWidget& window, const QString& name, const QString& caption, const QIcon& icon,
                 QRect clientArea);
