#pragma once

// Qt's own texts that the program shows (the save dialog and its questions, the menus of
// the edit fields and of the scroll bars) in Serbian, as the program's own texts are, for
// the whole program from now on. Returns whether they could be loaded.
bool InstallSerbianQtTexts();
