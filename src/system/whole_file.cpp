// The error category of writeWholeFile's own refusals.
#include "system/whole_file.h"

#include <string>

namespace sys {

namespace {

class RefusalCategory : public std::error_category {
public:
    const char *name() const noexcept override { return "mojik-write"; }
    std::string message(int refusal) const override
    {
        switch (static_cast<WriteRefusal>(refusal)) {
        case WriteRefusal::notTheUsersFolder:
            return "folder not owned by the user";
        case WriteRefusal::folderOpenToOthers:
            return "folder writable by other users";
        case WriteRefusal::notTheFolderOfTheRun:
            return "not the folder the run renamed in";
        case WriteRefusal::notARegularFile:
            break;
        }
        return "not a regular file";
    }
};

} // namespace

std::error_code make_error_code(WriteRefusal refusal)
{
    static const RefusalCategory category;
    return {static_cast<int>(refusal), category};
}

} // namespace sys
