// The reason an operation failed, told in Japanese with the system's own words.
#pragma once

#include <QString>
#include <system_error>

namespace text {

QString reasonText(const std::error_code &error);

} // namespace text
