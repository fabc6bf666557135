// Tests of the conversion options: how they combine with each other and with the
// case, and what they refuse.
#include "command_line/run_in_process.h"

#include "system/paths.h"

namespace {

using namespace command_line_testing;
using conversion::Conversion;

TEST(CommandLine, ConversionsApplyInTheirOwnOrderWhateverOrderTheyAreGiven)
{
    const struct {
        std::vector<std::string> arguments;
        command_line::Action action;
        std::vector<Conversion> steps;
    } rows[] = {
        {{"--narrow", "d"}, command_line::Action::Convert, {Conversion::Narrow}},
        {{"--upper", "--wide-kana", "--utf8", "d"}, command_line::Action::Upper,
         {Conversion::Utf8, Conversion::WideKana, Conversion::Upper}},
        {{"--wide-kana", "--narrow", "--compose", "--utf8", "--lower", "--narrow", "d"}, command_line::Action::Lower,
         {Conversion::Utf8, Conversion::Compose, Conversion::Narrow, Conversion::WideKana, Conversion::Lower}},
    };
    for (const auto &row : rows) {
        const command_line::Options options = command_line::parseOptions(row.arguments);
        EXPECT_TRUE(options.error.isEmpty()) << options.error.toStdString();
        EXPECT_EQ(options.action, row.action);
        EXPECT_EQ(options.conversions.steps(), row.steps);
    }
}

TEST(CommandLine, ConversionsGoWithARunOnly)
{
    for (const std::vector<std::string> &arguments : {std::vector<std::string>{"--undo", "--utf8", "d"},
                                                      std::vector<std::string>{"--list", "d", "--output", "o", "--narrow"}}) {
        const Result result = mojik(arguments);
        EXPECT_EQ(result.exit, command_line::kUsage);
        EXPECT_NE(result.err.find("--utf8、--compose、--narrow、--wide-kana は --undo や --list と一緒には使えません。"),
                  std::string::npos)
            << result.err;
    }
    const Result noFolder = mojik({"--compose"});
    EXPECT_EQ(noFolder.exit, command_line::kUsage);
    EXPECT_NE(noFolder.err.find("フォルダーを指定してください。"), std::string::npos) << noFolder.err;
}

TEST(CommandLine, HelpNamesEveryConversion)
{
    const std::string help = mojik({"--help"}).out;
    for (const char *option : {"--utf8", "--compose", "--narrow", "--wide-kana"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

// Names of text, which every system holds: a dry run, a run, and its undo.
TEST(CommandLine, NarrowAndWideKanaRunWithDryRunPartAndUndo)
{
    TempFolder temp;
    for (const char8_t *name : {u8"W/ＩＭＧ＿０００１.ＪＰＧ", u8"W/ｼｬｼﾝ.ｊｐｇ", u8"W/IMG_0001.JPG", u8"W/plain.txt"})
        temp.file(name);
    const fs::path folder = temp.path() / "W";
    const Names before = allNames(folder);

    const Result dry = mojik({"--narrow", "--wide-kana", "-n", sys::pathBytes(folder)});
    EXPECT_EQ(dry.exit, command_line::kLeft);
    EXPECT_EQ(dry.out, "ｼｬｼﾝ.ｊｐｇ → シャシン.jpg\nＩＭＧ＿０００１.ＪＰＧ … IMG_0001.JPG という名前が既にあります\n");

    const Result part = mojik({"--narrow", "--part", "extension", sys::pathBytes(folder)});
    EXPECT_EQ(part.exit, command_line::kDone) << part.err;
    EXPECT_EQ(allNames(folder), (Names{u8"ＩＭＧ＿０００１.JPG", u8"ｼｬｼﾝ.jpg", u8"IMG_0001.JPG", u8"plain.txt"}));
    EXPECT_EQ(mojik({"--undo", sys::pathBytes(folder)}).exit, command_line::kDone);
    EXPECT_EQ(allNames(folder), before);
}

} // namespace
