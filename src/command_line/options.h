// The command line's options: what was asked for, read from the raw arguments so
// that a folder named in any bytes is taken as it is.
#pragma once

#include "conversion/plan.h"

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

namespace command_line {

// Upper and Lower are runs that change the case, Convert one of the other
// conversions alone; each may take the other conversions too.
enum class Action { Window, Upper, Lower, Convert, Undo, List, Help, Version };

struct Options {
    Action action = Action::Window;
    std::filesystem::path folder; // empty when none was given (the window then opens where it was started)
    std::filesystem::path output; // --list's file
    conversion::Conversions conversions; // a run's steps, the case among them
    bool dryRun = false;
    bool recursive = false;
    bool folders = false;                               // subfolders' names are converted too
    conversion::Part part = conversion::Part::All;      // the part of each name converted
    QString error; // a usage error, in Japanese; the rest then means nothing
};

// Reads the arguments after the program's name, as sys::programArguments gives
// them: a path's own bytes, UTF-8 on Windows.
Options parseOptions(const std::vector<std::string> &arguments);

// The Japanese help text.
QString helpText();

} // namespace command_line
