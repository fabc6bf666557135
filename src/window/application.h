// What the program sets up before its window: the Japanese interface and font,
// and the folder it opens in.
#pragma once

#include <filesystem>

class QApplication;

// Loads Qt's Japanese texts (the standard buttons, the Save dialog) whatever the
// user's locale, names the desktop entry the window belongs to, makes a Japanese
// gothic at 9 pt the default font, and keeps freed memory for reuse (see
// system/memory.h).
void setUpApplication(QApplication &app);

// Sets the application up, opens the window in `folder` (the folder of a file
// given instead; where it was started when empty or when `folder` cannot be
// entered, which a box then says) and runs it until it is closed.
int openWindow(QApplication &app, const std::filesystem::path &folder);
