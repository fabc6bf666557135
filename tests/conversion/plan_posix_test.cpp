// Tests of the plan for names that are bytes rather than text, as names here may
// be: Shift_JIS names, and UTF-8 that may be Shift_JIS by chance.
#include "conversion/plan_rows.h"

#include "conversion/engine.h"

namespace {

using namespace plan_testing;

TEST(PlanBytes, LeavesNamesThatWouldBeSpoiled)
{
    std::string turned;
    for (int i = 0; i < 120; ++i)
        turned += "\u0250"; // ɐ: two bytes, and its upper case Ɐ three
    const std::string sjisOnly = "\x83\x41\x83\x58.txt"; // アス.txt in Shift_JIS: not UTF-8
    const LeaveRow rows[] = {
        {"not valid text", {"\x83\x41" "a.txt", "ok.txt"}, {}, 255, {false, true},
         {{"\x83\x41" "a.txt", SkipReason::NotText}}},
        {"katakana pairs beside a Shift_JIS name", {"\xC4\xB1.txt", "\xD0\xBD.txt", "Abc.txt"}, {sjisOnly}, 255,
         {false, false, true}, {{"\xC4\xB1.txt", SkipReason::ShiftJis}, {"\xD0\xBD.txt", SkipReason::ShiftJis}}},
        {"real UTF-8 beside a Shift_JIS name", {"\xC3\xA4rger.doc"}, {sjisOnly}, 255, {true}, {}},
        {"a symbol from katakana pairs", {"\xC2\xA7\xC2\xB1.txt"}, {}, 255, {false},
         {{"\xC2\xA7\xC2\xB1.txt", SkipReason::ShiftJis}}},
        {"two scripts side by side from katakana pairs", {"\xC4\xB1\xD0\xBD.txt"}, {}, 255, {false},
         {{"\xC4\xB1\xD0\xBD.txt", SkipReason::ShiftJis}}},
        {"too long in upper case", {turned + ".txt", "short.txt"}, {}, 255, {false, true},
         {{turned + ".txt", SkipReason::TooLong}}},
    };
    for (const LeaveRow &row : rows)
        expectRow(row);
}

TEST(PlanBytes, NeverConvertsNamesThatAreNotText)
{
    for (const conversion::Part part : {conversion::Part::All, conversion::Part::Name, conversion::Part::Extension}) {
        EXPECT_EQ(conversion::convertedPath("\x83\x41" "a.txt", Case::Upper, part), std::nullopt);
        EXPECT_EQ(conversion::convertedPath("\x83\x41" "a.txt", Case::Lower, part), std::nullopt);
    }
}

// A run to UTF-8 of listed files, all of them in the folder: what each becomes,
// or why it is left (an empty new name with its reason).
struct Utf8Row {
    const char *what;
    Names listed;
    std::vector<std::pair<std::filesystem::path, std::optional<SkipReason>>> expected; // one per listed name
};

void expectUtf8Rows(std::initializer_list<Utf8Row> rows)
{
    for (const Utf8Row &row : rows) {
        const conversion::FolderNow folder = folderNow(row.listed, row.listed);
        const conversion::Plan plan = conversion::planRun(
            row.listed, sys::beside([&folder] { return conversion::FolderChecks(folder); }), {conversion::Conversion::Utf8});
        ASSERT_EQ(row.expected.size(), row.listed.size()) << row.what;
        for (std::size_t i = 0; i < row.listed.size(); ++i) {
            const auto &[newName, reason] = row.expected[i];
            const auto skip = std::find_if(plan.skipped.begin(), plan.skipped.end(),
                                           [&](const conversion::Skip &s) { return s.name == row.listed[i]; });
            EXPECT_EQ(skip == plan.skipped.end() ? std::nullopt : std::optional(skip->reason), reason)
                << row.what << ": " << row.listed[i];
            EXPECT_EQ(plan.rename[i] ? plan.newNames[i] : std::filesystem::path(), newName) << row.what << ": " << row.listed[i];
        }
    }
}

const std::string kAi = "\x83\x41\x83\x43.txt";    // アイ.txt, Shift_JIS and no UTF-8
const std::string kHaiteku = "\xCA\xB2\xC3\xB8.docx"; // ﾊｲﾃｸ.docx, or ʲø.docx: in doubt by its bytes
const std::string kToa = "\xC4\xB1.txt";             // ﾄｱ.txt, or ı.txt: Shift_JIS by its shape

TEST(Utf8Plan, AloneEachNameGoesByItsOwnBytes)
{
    expectUtf8Rows({
        {"Shift_JIS alone", {kAi}, {{u8"アイ.txt", std::nullopt}}},
        {"Shift_JIS by its shape", {kToa}, {{u8"ﾄｱ.txt", std::nullopt}}},
        {"in doubt", {kHaiteku}, {{"", SkipReason::Undecided}}},
        {"UTF-8 stays", {u8"写真.jpg"}, {{"", std::nullopt}}},
        {"mojibake mended", {u8"繧ｵ繝ｳ繝励Ν.txt"}, {{u8"サンプル.txt", std::nullopt}}},
        {"neither encoding", {"\xFF.txt"}, {{"", SkipReason::NotText}}},
    });
}

TEST(Utf8Plan, BesideShiftJisNamesANameInDoubtIsShiftJis)
{
    expectUtf8Rows({
        {"beside a Shift_JIS name", {kHaiteku, kAi}, {{u8"ﾊｲﾃｸ.docx", std::nullopt}, {u8"アイ.txt", std::nullopt}}},
        {"beside a name Shift_JIS by its shape", {kHaiteku, kToa},
         {{u8"ﾊｲﾃｸ.docx", std::nullopt}, {u8"ﾄｱ.txt", std::nullopt}}},
        {"real UTF-8 stays beside them", {u8"мама.txt", u8"Ärger.doc", kAi},
         {{"", std::nullopt}, {"", std::nullopt}, {u8"アイ.txt", std::nullopt}}},
    });
}

TEST(Utf8Plan, BesideUtf8NamesANameInDoubtIsUtf8)
{
    expectUtf8Rows({
        {"beside Japanese UTF-8", {kHaiteku, u8"写真.jpg"}, {{"", std::nullopt}, {"", std::nullopt}}},
        {"Shift_JIS by its shape still is", {kToa, u8"写真.jpg"}, {{u8"ﾄｱ.txt", std::nullopt}, {"", std::nullopt}}},
    });
}

TEST(Utf8Plan, BesideBothANameInDoubtIsLeft)
{
    expectUtf8Rows({
        {"Shift_JIS and UTF-8 names", {kHaiteku, kAi, u8"写真.jpg"},
         {{"", SkipReason::Undecided}, {u8"アイ.txt", std::nullopt}, {"", std::nullopt}}},
        {"two names of one text", {kAi, u8"アイ.txt"}, {{"", SkipReason::Taken}, {"", std::nullopt}}},
    });
}

} // namespace
