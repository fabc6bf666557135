// Tests of reading a file that may be anything: only a regular file of a size
// that can be meant is read, and nothing waits on what is there instead.
#include "system/whole_file.h"

#include "support/temp_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testing_support::TempFolder;
namespace fs = std::filesystem;

TEST(WholeFilePosix, ReadsOnlyARegularFileAndNeverWaits)
{
    TempFolder temp;
    temp.file("real", "journal");
    fs::create_symlink("real", temp.path() / "link");
    fs::create_symlink("/dev/zero", temp.path() / "zero");
    ASSERT_EQ(::mkfifo((temp.path() / "fifo").c_str(), 0600), 0);
    // A writer keeps the FIFO open with as many bytes as are asked for: a reader
    // that took it for a file would get them, where one that waits would hang.
    const int writer = ::open((temp.path() / "fifo").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "journal", 7), 7);
    // A hole of 5 GB takes no room on the disk.
    ASSERT_EQ(::truncate(temp.file("huge").c_str(), off_t(5) << 30), 0);

    const std::error_code regularOnly = sys::WriteRefusal::notARegularFile;
    for (const auto &[name, expected] : std::vector<std::pair<const char *, std::error_code>>{
             {"real", {}},
             {"link", regularOnly},
             {"zero", regularOnly},
             {"fifo", regularOnly},
             {"huge", std::make_error_code(std::errc::file_too_large)},
         }) {
        std::string bytes;
        EXPECT_EQ(sys::readFile(temp.path() / name, bytes, 7, std::uint64_t(4) << 30), expected) << name;
        EXPECT_EQ(bytes, expected ? "" : "journal") << name;
    }
    ::close(writer);
}

} // namespace
