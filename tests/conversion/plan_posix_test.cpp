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

} // namespace
