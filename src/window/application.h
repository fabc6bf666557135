// What the program sets up before its window: the Japanese interface and font.
#pragma once

class QApplication;

// Loads Qt's Japanese texts (the standard buttons, the Save dialog) whatever the
// user's locale, names the desktop entry the window belongs to, makes a Japanese
// gothic at 9 pt the default font, and keeps freed memory for reuse (see
// system/memory.h).
void setUpApplication(QApplication &app);
