// Tests of the conversion run through the real window on FAT and exFAT sticks and
// on a Windows share: every name and every content, upper case and back.
#include "support/media.h"
#include "support/window_harness.h"

namespace {

using testing_support::MediumFolder;
using testing_support::MediumKind;
using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;

struct Awkward {
    const char *name; // each file holds its first name
    const char *upper;
    const char *lower;
};

// The awkward folder, as far as each medium can hold it. A name in Shift_JIS
// bytes is on none of them: fusefat takes ASCII names only, exFAT refuses bytes
// that are not UTF-8, and Samba does not show such a name on the share.
const std::vector<Awkward> kEverywhere = {
    {"MixEd.txt", "MIXED.TXT", "mixed.txt"},
    {"0123", "0123", "0123"},
    {".hidden", ".hidden", ".hidden"},
};
const std::vector<Awkward> kBeyondAscii = {
    {"漢字かな.txt", "漢字かな.TXT", "漢字かな.txt"},
    {"ａｂｃ.txt", "ＡＢＣ.TXT", "ａｂｃ.txt"},
    {"straße.txt", "STRAßE.TXT", "straße.txt"},
};
// A stick that folds case cannot hold x.txt beside X.TXT: there x.txt is alone.
const std::vector<Awkward> kLoneX = {{"x.txt", "X.TXT", "x.txt"}};
const std::vector<Awkward> kPair = {{"x.txt", "x.txt", "x.txt"}, {"X.TXT", "X.TXT", "X.TXT"}};

TEST(ConversionRunMedia, UpperThenLowerGivesTheRuleNamesAndKeepsEveryContent)
{
    if (const auto why = testing_support::withoutFuse())
        GTEST_SKIP() << *why;
    const struct {
        MediumKind kind;
        std::vector<const std::vector<Awkward> *> names;
    } rows[] = {
        {MediumKind::Fat, {&kEverywhere, &kLoneX}}, // fusefat: ASCII names only
        {MediumKind::Exfat, {&kEverywhere, &kBeyondAscii, &kLoneX}},
        {MediumKind::Share, {&kEverywhere, &kBeyondAscii, &kPair}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(nameOf(row.kind));
        const MediumFolder medium(row.kind);
        ASSERT_FALSE(medium.problem()) << *medium.problem();
        std::vector<Awkward> awkward;
        for (const auto *names : row.names)
            awkward.insert(awkward.end(), names->begin(), names->end());
        for (const Awkward &file : awkward)
            medium.contents().file(file.name);
        medium.contents().file("SubDir/inner.txt");

        WindowHarness harness;
        std::filesystem::current_path(medium.path()); // the window starts there
        for (const bool upper : {true, false}) {
            SCOPED_TRACE(upper ? "upper" : "lower");
            harness.convert(upper);
            Names expected{"SubDir"};
            for (const Awkward &file : awkward)
                expected.insert(upper ? file.upper : file.lower); // and no temporary name
            EXPECT_EQ(WindowHarness::namesIn(medium.path()), expected);
            EXPECT_EQ(WindowHarness::namesIn(medium.path() / "SubDir"), Names{"inner.txt"});
            for (const Awkward &file : awkward) {
                const char *now = upper ? file.upper : file.lower;
                EXPECT_EQ(testing_support::contentOf(medium.path() / now), file.name) << now;
            }
        }
        // Nothing was refused: the questions, and at most a box about the pair left alone.
        for (const auto &shown : harness.fake.shown)
            EXPECT_FALSE(shown.prompt.contains(QStringLiteral("止めました"))) << shown.prompt.toStdString();
    }
}

} // namespace
