// The volumes the drive list offers, and the drive a path lies on.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sys {

struct Drive {
    std::filesystem::path root; // "/" or "/media/usb" here, "c:\" on Windows
    std::string name;           // the volume's label in UTF-8, empty where it has none
};

using DriveLister = std::function<std::vector<Drive>()>;

// The mounted volumes a user browses, the root first.
std::vector<Drive> mountedDrives();

// The drive of an absolute path: the root of the listed drive that contains it
// (the longest such root). Empty when no listed drive contains it.
std::filesystem::path driveOf(const std::filesystem::path &path, const std::vector<Drive> &drives);

} // namespace sys
