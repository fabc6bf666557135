// The four help boxes: what the program does, who made it, what it was built on
// and its version.
#include "window/mojik.h"

namespace {

// Every line break in these boxes is one carriage return.
constexpr char16_t lineBreak = u'\r';

const char16_t description[] =
    u"ディレクトリ中のファイル名を改名します。全て大文字かもしくは、すべて小文字に変換します。"
    u"ＷＩＮ９５や、ＮＴ４においてファイルを管理する場合にファイル名のばらつきを統一します。"
    u"エクスプローラーでファイル名を見ても１ファイルづつプロファイルを見ない限り本当の名前は、分かりません。"
    u"このツールを使う以外に本当のファイル名を見るには、ＤＯＳ窓にてｄｉｒコマンドを使用すれば見る事ができます。"
    u"通常ＭＳ－ＤＯＳは、大文字を使用しています。管理ツールとしてはもってこいです。";

const char16_t selfIntroduction[] =
    u"私たちはファイルを整理するための小さな道具を作っている少人数のチームです。"
    u"一度に多くのファイルを扱う道具だからこそ、どのファイルも失われないことを何より大切にしています。"
    u"ご意見やご感想をお寄せいただければ幸いです。";
const char16_t handle[] = u"MOJIK開発チーム";
const char16_t address[] = u"mojik@example.org";

const char16_t machine[] =
    u"CPUはAMD EPYC（2コア）、メモリは24GBのマシンで、"
    u"OSはDebian GNU/Linux 12.11 (bookworm)、開発ツールはGCC 12.2.0、Qt 6.4.2、CMake 3.25.1を使用しています。";

const char16_t programFile[] = u"MOJIK.EXE";
const char16_t version[] = u"1.04";
const char16_t lastUpdate[] = u"1998/10/13";

} // namespace

void MOJIK::pgm_Click()
{
    message(QString::fromUtf16(description));
}

void MOJIK::maker_Click()
{
    message(QStringLiteral("作者紹介：") + lineBreak + QString::fromUtf16(selfIntroduction) + lineBreak + lineBreak
            + QStringLiteral("作者ハンドル：") + u' ' + QString::fromUtf16(handle) + u' ' + u'('
            + QString::fromUtf16(address) + u')');
}

void MOJIK::makekiki_Click()
{
    message(QStringLiteral("開発環境：") + lineBreak + QString::fromUtf16(machine));
}

void MOJIK::about_Click()
{
    message(QString::fromUtf16(programFile) + QStringLiteral("      Ver ") + QString::fromUtf16(version) + lineBreak
            + lineBreak + QStringLiteral("最終更新日:") + QString::fromUtf16(lastUpdate));
}
