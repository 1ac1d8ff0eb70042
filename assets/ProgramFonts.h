#pragma once

#include <QFont>

// The program's typefaces, found and registered in this one place. Each face comes with
// fallbacks that keep the window's fixed layout readable where it is missing.

// Makes the Tahoma clone of Debian's fonts-wine known to the program: it is installed
// outside the system's font folders. Every font below registers it on first use as well.
void RegisterProgramFonts();

// The window's texts: Tahoma, 11 pixels high (8 pt at 96 dpi). The bold face of the
// clone carries its weight in the strikes drawn for small sizes (its outlines are as thin
// as the regular ones), so bold Tahoma is drawn from those strikes, without smoothing; on a
// screen scaled up, where the strikes do not reach, bold comes from another face.
QFont ProgramFont(bool bold = false);

// The chart's numbers: Arial 8 pt, or a face with Arial's metrics.
QFont ChartNumberFont();

// The instructions page: a serif face of the given pixel size.
QFont InstructionsPageFont(int pixelSize);
