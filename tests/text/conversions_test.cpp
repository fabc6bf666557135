// Tests of the conversions of a name's text beside its case: composition, the
// two widths, and mojibake given back, each on names as archives, cameras and
// phones make them.
#include "text/composition.h"
#include "text/shift_jis_names.h"
#include "text/width.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char16_t *name;
    const char16_t *converted;
};

void expectRows(QString (*convert)(const QString &), std::initializer_list<Row> rows)
{
    for (const Row &row : rows)
        EXPECT_EQ(convert(QString::fromUtf16(row.name)), QString::fromUtf16(row.converted))
            << QString::fromUtf16(row.name).toStdString();
}

// Names from a Mac, decomposed as its file system stores them.
TEST(Composition, JoinsMarksButKeepsTheCompatibilityIdeographs)
{
    expectRows(text::composed, {
        {u"\u30CF\u309A\u30B9\u30DD\u30FC\u30C8.pdf", u"パスポート.pdf"},
        {u"\u30C6\u3099\u30FC\u30BF.xlsx", u"データ.xlsx"},
        {u"\u304B\u3099\u304D.txt", u"がき.txt"},
        {u"Cafe\u0301 Me\u0301nu.doc", u"Café Ménu.doc"},
        {u"\u30AB\u3099\u30A4\u30C8\u3099\u30D5\u3099\u30C3\u30AF.pdf", u"ガイドブック.pdf"},
        {u"IMG_0001.JPG", u"IMG_0001.JPG"},                      // nothing to join
        {u"パスポート.pdf", u"パスポート.pdf"},                    // composed already
        {u"\uFA10\u5DDD\u5E02.txt", u"\uFA10\u5DDD\u5E02.txt"},   // 塚 U+FA10 stays, NFC would make it U+585A
        {u"\U0002F800\u30CF\u309A.txt", u"\U0002F800パ.txt"},     // beyond the first plane too
        {u"\uF91D\u30C6\u3099.txt", u"\uF91D\u30C7.txt"},         // the mark after one still joins its kana
        {u"\u212B.txt", u"\u00C5.txt"},                           // the Angstrom sign is no ideograph
    });
}

// Full-width names from old systems and Japanese input left on.
TEST(Width, NarrowsLettersDigitsAndSafeSymbols)
{
    expectRows(text::narrowed, {
        {u"ＩＭＧ＿０００１.ＪＰＧ", u"IMG_0001.JPG"},
        {u"ＤＳＣ００１２３．ｊｐｇ", u"DSC00123.jpg"},
        {u"見積書（ＶＥＲ２）.xlsx", u"見積書(VER2).xlsx"},
        {u"報告＃１＆２－最終版.docx", u"報告#1&2-最終版.docx"},
        {u"ｒｅａｄｍｅ～.txt", u"readme~.txt"},
        {u"Ａ／Ｂ＼Ｃ：Ｄ＊Ｅ？Ｆ＂Ｇ＜Ｈ＞Ｉ｜.txt", u"A／B＼C：D＊E？F＂G＜H＞I｜.txt"}, // special in a path or on Windows
        {u"会議\u3000資料.pdf", u"会議\u3000資料.pdf"},                                    // the ideographic space
        {u"．ｐｒｏｆｉｌｅ", u"．profile"}, // a leading stop would hide the file
        {u"ｍｅｍｏ．", u"memo．"},          // Windows drops a trailing one
        {u"￥１００.txt", u"￥100.txt"},     // the yen sign is not ASCII
        {u"①ｶﾀｶﾅ.txt", u"①ｶﾀｶﾅ.txt"},     // neither circled digits nor half-width kana
    });
}

// Names of half-width katakana, as phones and old PCs wrote them.
TEST(Width, WidensHalfWidthKatakanaAndJoinsTheirMarks)
{
    expectRows(text::widenedKana, {
        {u"ｼｬｼﾝ.jpg", u"シャシン.jpg"},
        {u"ｶﾞｿﾞｳ 001.png", u"ガゾウ 001.png"},
        {u"ﾊﾟｽﾎﾟｰﾄ.pdf", u"パスポート.pdf"},
        {u"ｳﾞｧｲｵﾘﾝ.mp3", u"ヴァイオリン.mp3"},
        {u"ﾜﾞ.txt", u"ヷ.txt"},
        {u"｢ﾒﾓ｣､ｺﾋﾟｰ･ﾃﾞｰﾀ｡txt", u"「メモ」、コピー・データ。txt"},
        {u"ﾞｱ.txt", u"゛ア.txt"},  // a mark with nothing before it
        {u"Aﾟ.txt", u"A゜.txt"},    // nor a kana that takes it
        {u"ｱﾞ.txt", u"ア゛.txt"},
        {u"ABC.txt", u"ABC.txt"},
        {u"ﾍﾙﾒｽ\uFFA1.txt", u"ヘルメス\uFFA1.txt"}, // half-width hangul stays
    });
}

// UTF-8 names unpacked by a tool that took them for code page 932.
TEST(Mojibake, GivesBackTheTextWhenSure)
{
    const struct {
        const char16_t *name;
        const char16_t *repaired; // nullptr where it stays
    } rows[] = {
        {u"繧ｵ繝ｳ繝励Ν.txt", u"サンプル.txt"},
        {u"蜀咏悄.jpg", u"写真.jpg"},
        {u"隴ｰ莠矩鹸.docx", u"議事録.docx"},
        {u"cafﾃｩ.txt", u"café.txt"},
        {u"写真.jpg", nullptr},        // real Japanese: its code page 932 bytes are no UTF-8
        {u"ｼｬｼﾝ.jpg", nullptr},        // nor are half-width katakana alone
        {u"IMG_0001.JPG", nullptr},
        {u"ﾄｱ.txt", nullptr},          // UTF-8 as ı.txt, which chance makes
        {u"😀.txt", nullptr},          // no code page 932 bytes at all
    };
    for (const auto &row : rows) {
        const std::optional<QString> repaired = text::mojibakeRepaired(QString::fromUtf16(row.name));
        if (row.repaired)
            EXPECT_EQ(repaired, QString::fromUtf16(row.repaired)) << QString::fromUtf16(row.name).toStdString();
        else
            EXPECT_EQ(repaired, std::nullopt) << QString::fromUtf16(row.name).toStdString();
    }
}

} // namespace
