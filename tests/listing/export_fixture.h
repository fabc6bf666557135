// The folder and the clicks the tests of Command2_Click share.
#pragma once

#include "window/mojik.h"

#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "text/names.h"

#include <QPushButton>
#include <QTest>
#include <map>

namespace listing_testing {

namespace fs = std::filesystem;
using testing_support::contentOf;

inline const std::string kHeader = "\x83\x66\x83\x42\x83\x8c\x83\x4e\x83\x67\x83\x8a\x96\xbc\x8f\x6f\x97\xcd\r\n";
inline const std::string kRule = std::string(38, '+') + "\r\n";
inline const std::string kCount = "\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94\x81\x46";

inline QString pathText(const fs::path &path)
{
    return text::displayName(path);
}

// Every entry under a folder with what each file holds.
inline std::map<fs::path, std::string> snapshot(const fs::path &folder)
{
    std::map<fs::path, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        entries[entry.path()] = entry.is_regular_file() ? contentOf(entry.path()) : std::string("<folder>");
    return entries;
}

// A folder holding b.txt, A.txt, 漢字.txt, c, a hidden file and a subfolder,
// the working folder while the test runs.
class ListingExport : public ::testing::Test {
protected:
    ListingExport()
    {
        for (const char8_t *name : {u8"b.txt", u8"A.txt", u8"漢字.txt", u8"c", u8".hidden"})
            folder.file(name);
        folder.folder("sub");
        fs::current_path(folder.path());
        here = fs::current_path();
    }

    void click(MOJIK &window) { QTest::mouseClick(window.findChild<QPushButton *>("Command2"), Qt::LeftButton); }

    std::string expected() const
    {
        return kHeader + here.string() + "\r\n" + kRule + "A.txt\r\nb.txt\r\nc\r\n\x8a\xbf\x8e\x9a.txt\r\n" + kRule + kCount
               + " 4\r\n";
    }

    testing_support::TempFolder folder;
    fs::path here;
    testing_support::FakeServices fake;
};

} // namespace listing_testing
