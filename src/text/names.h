// File names between the system's own bytes and the text the window shows.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

namespace text {

// The name as text, or nothing where it is not valid in the system's encoding
// (UTF-8 here, UTF-16 on Windows): such a name is shown but never converted.
std::optional<QString> nameText(const std::filesystem::path &name);

// The name as shown: a Shift_JIS name (shiftJisText), or a path's Shift_JIS
// folder, as its text; elsewhere as textShown. Only the showing: the bytes stay
// as they are.
QString displayName(const std::filesystem::path &name);

// The name read in the system's encoding alone: what is not valid becomes the
// replacement mark U+FFFD.
QString textShown(const std::filesystem::path &name);

// The bytes of a name that is not text but is Shift_JIS (code page 932), as
// names from old Japanese archives are; nothing for any other name. Names are
// UTF-16 text on Windows, so there it is always nothing.
std::optional<std::string> shiftJisBytes(const std::filesystem::path &name);

// Text back to the system's bytes; exact for every text nameText gave.
std::filesystem::path nameFromText(const QString &text);

} // namespace text
