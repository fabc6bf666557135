// The command line run inside the test program, with what it printed, and the
// names the tests of the command line share.
#pragma once

#include "command_line/command_line.h"

#include "support/name_sets.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace command_line_testing {

using testing_support::allNames;
using testing_support::TempFolder;
using Names = testing_support::NameSet;
namespace fs = std::filesystem;

struct Result {
    int exit;
    std::string out;
    std::string err;
};

inline Result mojik(std::vector<std::string> arguments)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int exit = command_line::run(command_line::parseOptions(arguments));
    std::string out = testing::internal::GetCapturedStdout();
    return {exit, std::move(out), testing::internal::GetCapturedStderr()};
}

} // namespace command_line_testing
