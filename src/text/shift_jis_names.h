// Which encoding a name's bytes are in: UTF-8, or Shift_JIS from an old Japanese
// archive. Half-width katakana pairs such as ﾄｱ (C4 B1) are valid UTF-8 (ı), and
// changing that reading would rewrite the bytes and spoil the name. Each name is
// judged by which of its two readings looks like something a person named a
// file, and where that leaves it in doubt, by the folder's other names. The run,
// the listing and the window judge alike.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

namespace text {

enum class Encoding {
    Utf8,      // text as it stands (every name on Windows, where names are UTF-16)
    ShiftJis,  // code page 932 bytes
    Undecided, // both readings, and nothing to choose between them
    Neither,   // bytes valid in neither
};

// What the folder's other names say: a name judged Shift_JIS, or judged UTF-8
// without being ASCII, by its own bytes.
struct Evidence {
    bool shiftJis = false;
    bool utf8 = false;
};

// A name by its own bytes, then, where they leave it in doubt, by `evidence`
// when that points one way only. A name whose bytes read both ways is UTF-8 when
// its UTF-8 reading is plausible and its code page 932 reading is not, and
// Shift_JIS the other way round.
// - The code page 932 reading of UTF-8 text has kanji that Japanese hardly uses
//   (every UTF-8 kanji and kana begins with the lead byte of one), or half-width
//   katakana pressed against a letter, a digit or a kanji, or more than three in
//   a row (蜀咏悄.jpg, cafﾃｩ.txt, ﾐｼﾐｰ.txt).
// - A UTF-8 reading is implausible with a control, format, private or unassigned
//   character, a mark with nothing to sit on or of another script than its
//   letter, or letters of two scripts side by side other than Japanese; and,
//   among the characters of two bytes that chance gives, with a letter standing
//   alone, a symbol with no letter or digit beside it (ﾄｱ.txt as ı.txt, ﾂｰ.txt as
//   °.txt), a character kept for compatibility with older sets, which nobody
//   types into a name (ﾊｲﾃｸ.docx as ʲø.docx, ﾎｰﾏｰ.mp3 as ΰϰ.mp3), a diacritic
//   that makes no letter with its own, a capital straight after a small letter,
//   or a modifier letter beside a letter that is not Latin.
Encoding encodingOf(const std::filesystem::path &name, Evidence evidence = {});

// Every name of a folder judged, those in doubt by the others: `evidence` is what
// the others said, for the same judgement of one name again (encodingOf).
std::vector<Encoding> encodingsOf(const std::vector<std::filesystem::path> &names, Evidence &evidence);

// Whether a name judged alone may be Shift_JIS bytes (encodingOf says Shift_JIS
// or leaves it in doubt): a folder of a path, say, which the listing then keeps
// in its bytes.
bool mayBeShiftJis(const std::filesystem::path &name);

// The text of a name that is Shift_JIS and not UTF-8, as the window shows it;
// nothing for any other name. A name that reads both ways is shown as UTF-8, as
// it always was: showing it otherwise would turn a real ä.txt into ﾃ､.txt.
std::optional<QString> shiftJisText(const std::filesystem::path &name);

// The name as shown, a Shift_JIS one marked " (Shift_JIS)", where the user must
// tell it from a UTF-8 name of the same text: in the command line's output.
QString markedName(const std::filesystem::path &name);

// Text that was UTF-8 once and was read as code page 932 on the way (サンプル.txt
// unpacked as 繧ｵ繝ｳ繝励Ν.txt) given back, when its code page 932 bytes are
// plausible UTF-8 and it is implausible as what it reads now; nothing otherwise.
std::optional<QString> mojibakeRepaired(const QString &name);

// The conversion to UTF-8: the text a name of `encoding` (encodingOf) has, its
// mojibake repaired; nothing for a name in doubt or valid in neither encoding.
std::optional<QString> utf8Name(const std::filesystem::path &name, Encoding encoding);

} // namespace text
