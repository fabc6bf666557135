// The error category of writeWholeFile's own refusals.
#include "system/whole_file.h"

#include <string>

namespace sys {

namespace {

class RefusalCategory : public std::error_category {
public:
    const char *name() const noexcept override { return "mojik-write"; }
    std::string message(int) const override { return "not a regular file"; }
};

} // namespace

std::error_code make_error_code(WriteRefusal refusal)
{
    static const RefusalCategory category;
    return {static_cast<int>(refusal), category};
}

} // namespace sys
