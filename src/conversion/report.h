// What a run and an undo tell about the names they left alone, in the words the
// window's boxes and the command line share.
#pragma once

#include "conversion/plan.h"

#include <QString>
#include <filesystem>

namespace conversion {

// "name … why it was left alone".
QString skipText(const Skip &skip);

// A pair an undo left alone: its names changed since the run.
QString changedText(const std::filesystem::path &oldName, const std::filesystem::path &newName);

} // namespace conversion
