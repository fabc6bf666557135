// Tests of how a name whose bytes read both as UTF-8 and as code page 932 is taken.
#include "text/shift_jis_names.h"

#include "system/shift_jis.h"

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

} // namespace
