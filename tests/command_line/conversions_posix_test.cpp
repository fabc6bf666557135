// Tests of the conversions beside the case from the command line, on names in
// Shift_JIS bytes that only POSIX systems hold: all of them in one run, what it
// prints, and one undo that gives back every byte.
#include "command_line/run_in_process.h"

namespace {

using namespace command_line_testing;

TEST(CommandLine, AllFourConversionsAndACaseAreOneRunThatOneUndoTakesBack)
{
    TempFolder temp;
    const std::vector<std::string> files = {
        "Z/\x83\x66\x81\x5B\x83\x5E.TXT",         // データ.TXT in Shift_JIS
        "Z/\xBC\xAC\xBC\xDD.JPG",                 // ｼｬｼﾝ.JPG in Shift_JIS
        "Z/\xE3\x83\x8F\xE3\x82\x9A\xE3\x82\xB9.PDF", // パス decomposed, from a Mac
        "Z/ＩＭＧ＿０００１.JPG",
        "Z/ｶﾞｿﾞｳ.PNG",
        "Z/繧ｵ繝ｳ繝励Ν.TXT",                     // サンプル.TXT, unpacked the wrong way
        "Z/\xCA\xB2\xC3\xB8.DOCX",               // ﾊｲﾃｸ.DOCX, whose bytes are UTF-8 too (ʲø.DOCX)
        "Z/\xEF\xA8\x90.TXT",                     // 塚 U+FA10 stays itself
        "Z/Sub/\x83\x41\x83\x43.TXT",            // アイ.TXT, a folder down
    };
    for (const std::string &name : files)
        temp.file(name);
    const fs::path folder = temp.path() / "Z";
    const Names before = allNames(folder), beforeBelow = allNames(folder / "Sub");

    const std::vector<std::string> arguments = {"--lower", "--wide-kana", "--narrow", "--compose", "--utf8", "-r"};
    std::vector<std::string> dryRun = arguments;
    dryRun.insert(dryRun.end(), {"-n", folder.native()});
    const Result dry = mojik(dryRun);
    EXPECT_EQ(dry.exit, command_line::kLeft) << dry.out << dry.err;
    for (const char *line : {"データ.TXT (Shift_JIS) → データ.txt\n", "ｼｬｼﾝ.JPG (Shift_JIS) → シャシン.jpg\n",
                             "ＩＭＧ＿０００１.JPG → img_0001.jpg\n", "ｶﾞｿﾞｳ.PNG → ガゾウ.png\n",
                             "繧ｵ繝ｳ繝励Ν.TXT → サンプル.txt\n", "\xEF\xA8\x90.TXT → \xEF\xA8\x90.txt\n",
                             "Sub/アイ.TXT (Shift_JIS) → Sub/アイ.txt\n"})
        EXPECT_NE(dry.out.find(line), std::string::npos) << line << "in:\n" << dry.out;
    EXPECT_NE(dry.out.find("\xE3\x83\x8F\xE3\x82\x9A\xE3\x82\xB9.PDF → パス.pdf\n"), std::string::npos) << dry.out;
    // ﾊｲﾃｸ: in doubt by its bytes, and the folder holds names of both encodings.
    EXPECT_NE(dry.out.find("ʲø.DOCX … UTF-8 の名前か Shift_JIS の名前か決められないので、そのままにしました\n"),
              std::string::npos)
        << dry.out;
    EXPECT_EQ(allNames(folder), before) << "a dry run changes nothing";

    std::vector<std::string> run = arguments;
    run.push_back(folder.native());
    const Result done = mojik(run);
    EXPECT_EQ(done.exit, command_line::kLeft) << done.err;
    EXPECT_EQ(allNames(folder), (Names{"データ.txt", "シャシン.jpg", "パス.pdf", "img_0001.jpg", "ガゾウ.png",
                                       "サンプル.txt", "\xCA\xB2\xC3\xB8.DOCX", "\xEF\xA8\x90.txt", "Sub"}));
    EXPECT_EQ(allNames(folder / "Sub"), (Names{"アイ.txt"}));
    EXPECT_EQ(testing_support::contentOf(folder / "シャシン.jpg"), "\xBC\xAC\xBC\xDD.JPG");

    const Result undo = mojik({"--undo", "-r", folder.native()});
    EXPECT_EQ(undo.exit, command_line::kDone) << undo.err;
    EXPECT_EQ(allNames(folder), before);
    EXPECT_EQ(allNames(folder / "Sub"), beforeBelow);
    for (const std::string &name : files)
        EXPECT_EQ(testing_support::contentOf(temp.path() / name), fs::path(name).filename().native()) << name;
}

// Without --utf8 a Shift_JIS name is never renamed, and it is shown as its text.
TEST(CommandLine, ACaseRunLeavesShiftJisNamesAndShowsThemAsTheirText)
{
    TempFolder temp;
    temp.file("\x83\x41\x83\x43.txt");
    temp.file("\xCA\xB2\xC3\xB8.docx"); // ﾊｲﾃｸ: its UTF-8 reading, ʲø, used to be upper-cased
    const Result run = mojik({"--upper", temp.path().native()});
    EXPECT_EQ(run.exit, command_line::kLeft);
    EXPECT_EQ(run.out, "\xCA\xB2\xC3\xB8.docx … Shift_JIS の名前かもしれないので、文字化けしないようにそのままにしました\n"
                       "アイ.txt (Shift_JIS) … 名前の文字コードが正しくありません\n");
    EXPECT_EQ(allNames(temp.path()), (Names{"\x83\x41\x83\x43.txt", "\xCA\xB2\xC3\xB8.docx"}));
}

} // namespace
