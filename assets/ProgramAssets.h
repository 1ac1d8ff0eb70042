#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>

// Makes the Tahoma clone of Debian's fonts-wine known to the program where it is
// installed outside the system's font folders; elsewhere the fallbacks take over.
void RegisterProgramFonts();

// Tahoma, 11 pixels high (8 pt at 96 dpi), with sans-serif fallbacks.
QFont ProgramFont(bool bold = false);

// The main window's icon: a twist drill over a workpiece, 32 x 32 in 16 colours.
QIcon MainWindowIcon();

// The instructions window's icon: a closed purple book with a yellow question mark.
QIcon InstructionsIcon();

inline constexpr int InstructionsPageWidthPx = 404;
inline constexpr int InstructionsPageHeightPx = 391;

// The instructions page: six justified paragraphs on light-yellow paper in a 1-pixel
// black frame, the names of the main window's buttons and fields in bold italics.
QImage InstructionsPage();
