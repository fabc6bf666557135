// The listing of a folder's file names: its lines as text and as bytes, and its file.
#include "listing/listing.h"

#include "text/names.h"
#include "text/shift_jis_names.h"
#include "system/shift_jis.h"
#include "system/whole_file.h"

#include <algorithm>
#include <string_view>

namespace listing {

namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kHeader = u"ディレクトリ名出力";
constexpr std::u16string_view kRule = u"++++++++++++++++++++++++++++++++++++++";
constexpr std::u16string_view kCount = u"ファイル数：";
constexpr std::u16string_view kLineEnd = u"\r\n";

bool isControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// In code page 932 these bytes only ever stand alone, as control characters.
bool isControlByte(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// Composes each character with the marks that follow it, which a name written
// decomposed needs (macOS writes パ as ハ and U+309A): code page 932 holds the
// composed character only. A character without marks stays as it is: composing
// those too would trade some the code page holds (the Angstrom sign, the IBM
// kanji) for others it lacks or spells otherwise.
QString composeMarks(const QString &text)
{
    const auto next = [&text](qsizetype at) {
        const bool pair = text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
        return at + (pair ? 2 : 1);
    };
    const auto isMark = [&text](qsizetype at) {
        const char32_t c = text.at(at).isHighSurrogate() && at + 1 < text.size()
                               ? QChar::surrogateToUcs4(text.at(at), text.at(at + 1))
                               : text.at(at).unicode();
        return QChar::combiningClass(c) != 0;
    };
    QString composed;
    composed.reserve(text.size());
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = next(at);
        if (end < text.size() && isMark(end)) {
            while (end < text.size() && isMark(end))
                end = next(end);
            composed += text.sliced(at, end - at).normalized(QString::NormalizationForm_C);
        } else {
            composed += QStringView(text).sliced(at, end - at);
        }
        at = end;
    }
    return composed;
}

// The listing's bytes, gathered as text and converted a stretch at a time; only a
// name kept in its own bytes ends a stretch.
class Encoder {
public:
    explicit Encoder(std::string &bytes) : m_bytes(bytes) {}

    void text(std::u16string_view text) { m_text += text; }
    void own(std::string_view bytes)
    {
        flush();
        m_bytes += bytes;
    }
    std::error_code finish()
    {
        flush();
        return m_error;
    }

private:
    void flush()
    {
        if (!m_error)
            m_error = sys::toShiftJis(m_text, m_bytes);
        m_text.clear();
    }

    std::string &m_bytes;
    std::u16string m_text;
    std::error_code m_error;
};

// A bare name as it stands in the listing. A name that is Shift_JIS already (and
// keeps to its line) is in the listing's encoding: its own bytes are written. So
// is one that reads as UTF-8 but, by the run's judgement, may be Shift_JIS bytes.
void appendName(Encoder &out, const fs::path &name, bool mayBeShiftJis)
{
    std::optional<std::string> own = text::shiftJisBytes(name);
    if (!own && mayBeShiftJis)
        own = name.string();
    if (own && std::none_of(own->begin(), own->end(), isControlByte))
        out.own(*own);
    else
        out.text(lineText(name));
}

// A full path, each folder in it written as a name is: a Shift_JIS folder below
// UTF-8 ones keeps its own bytes too.
void appendPath(Encoder &out, const fs::path &path)
{
    out.text(lineText(path.root_path()));
    const std::u16string separator(1, static_cast<char16_t>(fs::path::preferred_separator));
    bool first = true;
    for (const fs::path &part : path.relative_path()) {
        if (!first)
            out.text(separator);
        first = false;
        appendName(out, part, text::mayBeShiftJis(part));
    }
}

} // namespace

std::u16string lineText(const std::filesystem::path &name)
{
    // The name as UTF-8, where every byte that is not valid has become one
    // U+FFFD, a mark code page 932 cannot hold either: a Shift_JIS name that
    // comes here holds a control character, which its own bytes would not hide.
    const QString shown = composeMarks(text::textShown(name));
    std::u16string text(reinterpret_cast<const char16_t *>(shown.utf16()), static_cast<std::size_t>(shown.size()));
    for (char16_t &unit : text) {
        if (unit == u'\xFFFD' || isControl(unit))
            unit = u'?';
    }
    return text;
}

std::error_code listingBytes(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &names,
                             std::string &bytes)
{
    bytes.clear();
    Encoder out(bytes);
    const auto endLine = [&out] { out.text(kLineEnd); };
    out.text(kHeader);
    endLine();
    appendPath(out, folder);
    endLine();
    out.text(kRule);
    endLine();
    // The folder's names judged together, as a run judges them.
    text::Evidence evidence;
    const std::vector<text::Encoding> encodings = text::encodingsOf(names, evidence);
    for (std::size_t i = 0; i < names.size(); ++i) {
        appendName(out, names[i], encodings[i] == text::Encoding::ShiftJis || encodings[i] == text::Encoding::Undecided);
        endLine();
    }
    out.text(kRule);
    endLine();
    // One space before the number, where a minus sign would stand.
    const std::string count = std::to_string(names.size());
    out.text(std::u16string(kCount) + u' ' + std::u16string(count.begin(), count.end()));
    endLine();
    return out.finish();
}

std::error_code writeListing(const std::filesystem::path &target, const std::filesystem::path &folder,
                             const std::vector<std::filesystem::path> &names)
{
    std::string bytes;
    if (const std::error_code error = listingBytes(folder, names, bytes))
        return error;
    return sys::writeWholeFile(target, bytes);
}

} // namespace listing
