// Tests of how a name whose bytes read both as UTF-8 and as code page 932 is
// taken, alone and among the other names of its folder.
#include "text/shift_jis_names.h"

#include "system/shift_jis.h"
#include "text/names.h"

#include <gtest/gtest.h>

namespace {

// Real names of both kinds, every one valid in both encodings, so that only the
// judgement of the two readings tells them apart.
TEST(ShiftJisNames, EachNameIsTakenByTheReadingThatIsPlausible)
{
    const struct {
        const char *what;
        std::vector<std::string> names;
        bool mayBeShiftJis;
    } rows[] = {
        {"Japanese names in UTF-8",
         {"写真.jpg", "議事録.docx", "見積書.xlsx", "請求書.pdf", "報告書.docx", "履歴書.pdf",
          "領収書.pdf", "企画書.docx", "メモ.txt", "予定表.xlsx", "名簿.csv", "日報.txt", "説明書.pdf", "動画.mp4",
          "音楽.mp3", "明細.csv", "社員名簿.csv", "住所録.csv", "ファイル.txt", "お知らせ.pdf", "地図.png", 
          "ひな形.docx", "PDF地図.txt", "2024年日報.txt"},
         false},
        {"European names in UTF-8",
         {"café.txt", "résumé.doc", "naïve.txt", "straße.txt", "Ärger.doc", "São Paulo.txt", "Zürich.txt", "мама.txt",
          "Ελλάδα.txt"},
         false},
        {"symbols beside letters or digits in UTF-8", {"¢cent.txt", "°deg.txt", "¥100.txt", "±5V.txt", "£5.txt", "§12.txt", "30°C.txt"},
         false},
        {"marks written after their character", {"\xe3\x83\x8f\xe3\x82\x9a.txt", "e\xCC\x81t\xC3\xA9.txt"}, false},
        // Half-width katakana pairs whose UTF-8 reading is a lone letter or symbol.
        {"Shift_JIS that reads as UTF-8 by chance",
         {"\xC4\xB1.txt", "\xD0\xBD.txt", "\xC3\xB1.TXT", "\xC5\xBD.txt", "\xC2\xB0.txt", "\xC4\xB1 2.txt",
          "\xC4\xB1_\xD0\xBD.txt"},
         true},
        // ıн: letters of two scripts; §±: symbols alone; ﾄｱ and ﾐｽ pressed together.
        {"in doubt", {"\xC4\xB1\xD0\xBD.txt", "\xC2\xA7\xC2\xB1.txt"}, true},
    };
    for (const auto &row : rows) {
        for (const std::string &name : row.names) {
            EXPECT_TRUE(sys::isShiftJis(name)) << name << ": not a name of two readings";
            EXPECT_EQ(text::mayBeShiftJis(name), row.mayBeShiftJis) << row.what << ": " << name;
        }
    }
}

// Half-width katakana names from a Japanese archive whose bytes are also UTF-8:
// four kana and more read as letters that chance gives (ﾊｲﾃｸ as ʲø, ﾎｰﾏｰ as ΰϰ,
// ﾏｼﾞｮﾘｶ as ϼ, a Thaana vowel and ض), and were taken for that.
TEST(ShiftJisNames, ShortKatakanaNamesAreNeverTakenForTheirUtf8Reading)
{
    const std::string sjisOnly = "\xB1\xB2\xBA\xDD.txt"; // ｱｲｺﾝ.txt: not UTF-8
    for (const std::string name : {"\xCA\xB2\xC3\xB8.docx", "\xCE\xB0\xCF\xB0.mp3", "\xCF\xBC\xDE\xAE\xD8\xB6.jpg",
                                   "\xC3\xB0\xCF\xB0.txt", "\xCB\xB0\xDB\xB0.jpg", "\xD0\xB6.txt", "\xCE\xBC.jpg",
                                   "\xD5\xB7.jpg", "\xC8\xBA.png"}) {
        ASSERT_TRUE(text::nameText(name)) << name << ": not a name of two readings";
        EXPECT_TRUE(text::mayBeShiftJis(name)) << name;
        text::Evidence evidence;
        EXPECT_EQ(text::encodingsOf({name, sjisOnly}, evidence)[0], text::Encoding::ShiftJis) << name;
    }
}

// Every name of four half-width katakana whose bytes are two two-byte UTF-8
// characters, a quarter of them: their UTF-8 readings are letters that chance
// gives, and fewer than one in ten may be taken for UTF-8 by its bytes alone
// (one in six were, before diacritics, capitals and modifier letters told them).
TEST(ShiftJisNames, FewNamesOfFourKatakanaAreTakenForTheirUtf8Reading)
{
    int names = 0, utf8 = 0;
    for (int first = 0xC2; first <= 0xDF; ++first)
        for (int second = 0xA6; second <= 0xBF; ++second)
            for (int third = 0xC2; third <= 0xDF; third += 2)
                for (int fourth = 0xA6; fourth <= 0xBF; fourth += 2) {
                    const std::string name{char(first), char(second), char(third), char(fourth), '.', 't', 'x', 't'};
                    ++names;
                    utf8 += text::encodingOf(name) == text::Encoding::Utf8;
                }
    EXPECT_LT(utf8 * 10, names) << utf8 << " of " << names;
}

// Names the bytes leave in doubt take what the folder's other names say, when
// they say one thing; names the bytes decide keep their own reading.
TEST(ShiftJisNames, TheFolderDecidesOnlyWhatTheBytesLeaveInDoubt)
{
    using text::Encoding;
    const std::string doubt = "\xC4\xB1\xD0\xBD.txt";   // ﾄｱﾐｽ, or ıн: neither reading plausible
    const std::string katakana = "\xCA\xB2\xC3\xB8.docx"; // ﾊｲﾃｸ, or ʲø: neither either
    const std::string sjisOnly = "\x83\x41\x83\x43.txt";  // アイ.txt, not UTF-8
    const std::string pair = "\xC4\xB1.txt";               // ﾄｱ, or ı: Shift_JIS by its shape
    const std::string utf8 = "写真.jpg", cyrillic = "мама.txt", ascii = "README.TXT";
    const struct {
        const char *what;
        std::vector<std::filesystem::path> names;
        std::vector<Encoding> encodings;
    } rows[] = {
        {"alone", {doubt}, {Encoding::Undecided}},
        {"beside ASCII, which says nothing", {doubt, ascii}, {Encoding::Undecided, Encoding::Utf8}},
        {"beside a Shift_JIS name", {doubt, katakana, sjisOnly}, {Encoding::ShiftJis, Encoding::ShiftJis, Encoding::ShiftJis}},
        {"beside a name Shift_JIS by its shape", {doubt, pair}, {Encoding::ShiftJis, Encoding::ShiftJis}},
        {"beside UTF-8 names", {doubt, utf8, cyrillic}, {Encoding::Utf8, Encoding::Utf8, Encoding::Utf8}},
        {"UTF-8 beside Shift_JIS stays UTF-8", {utf8, cyrillic, sjisOnly, pair},
         {Encoding::Utf8, Encoding::Utf8, Encoding::ShiftJis, Encoding::ShiftJis}},
        {"beside both, still in doubt", {doubt, utf8, sjisOnly}, {Encoding::Undecided, Encoding::Utf8, Encoding::ShiftJis}},
        {"bytes of neither", {"\xFF\xFE.txt", doubt}, {Encoding::Neither, Encoding::Undecided}},
    };
    for (const auto &row : rows) {
        text::Evidence evidence;
        EXPECT_EQ(text::encodingsOf(row.names, evidence), row.encodings) << row.what;
        // One name judged again with what the folder said gives the same.
        EXPECT_EQ(text::encodingOf(row.names[0], evidence), row.encodings[0]) << row.what;
    }
}

} // namespace
