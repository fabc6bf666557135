// journalBytes, parseJournal and the marks: a text header, then each name as its
// length and its raw bytes, so that any name, Shift_JIS bytes included, comes back
// byte for byte.
#include "conversion/journal.h"

#include "system/paths.h"

#include <algorithm>
#include <charconv>

namespace conversion {

namespace {

constexpr std::string_view kMagic = "MOJIK-JOURNAL 1\n";
constexpr std::size_t kMaxName = 1 << 16;

void putField(std::string &out, std::string_view bytes)
{
    char length[24];
    out.append(length, std::to_chars(length, length + sizeof length, bytes.size()).ptr);
    out += ':';
    out += bytes;
}

// Reads the journal front to back; any surprise fails the whole read.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_rest(bytes) {}

    bool literal(std::string_view text)
    {
        if (!m_rest.starts_with(text))
            return false;
        m_rest.remove_prefix(text.size());
        return true;
    }

    bool number(std::size_t &value, std::size_t most)
    {
        const char *end = m_rest.data() + m_rest.size();
        const auto [next, error] = std::from_chars(m_rest.data(), end, value);
        if (error != std::errc() || next == m_rest.data() || value > most)
            return false;
        m_rest.remove_prefix(static_cast<std::size_t>(next - m_rest.data()));
        return true;
    }

    bool field(std::string_view &bytes)
    {
        std::size_t size = 0;
        if (!number(size, kMaxName) || !literal(":") || size > m_rest.size())
            return false;
        bytes = m_rest.substr(0, size);
        m_rest.remove_prefix(size);
        return true;
    }

    bool atEnd() const { return m_rest.empty(); }
    std::size_t left() const { return m_rest.size(); }

    // The last line when it never got its line break: a mark cut short by a crash.
    bool onlyAnUnfinishedLine() const { return m_rest.find('\n') == std::string_view::npos; }

private:
    std::string_view m_rest;
};

bool isFolder(const std::filesystem::path &path)
{
    return path.is_absolute() && sys::pathBytes(path).find('\0') == std::string::npos;
}

} // namespace

bool isBareName(const std::filesystem::path &name)
{
    const std::string bytes = sys::pathBytes(name);
    return !bytes.empty() && bytes.find('\0') == std::string::npos && name == name.filename() && name != "." &&
           name != "..";
}

namespace {

std::string headOf(const Journal &journal, std::size_t pairs)
{
    std::string out(kMagic);
    out += "folder ";
    putField(out, sys::pathBytes(journal.folder));
    out += journal.mode == Case::Upper ? "\ncase upper\ngroup " : "\ncase lower\ngroup ";
    putField(out, journal.group);
    out += "\nroot ";
    putField(out, sys::pathBytes(journal.root));
    out += "\ntemporary ";
    putField(out, journal.temporaryStem);
    out += "\npairs " + std::to_string(pairs) + '\n';
    return out;
}

// `scratch` holds each name's bytes in turn, so that the many names of a run
// cost no allocation each.
void putPair(std::string &out, const std::filesystem::path &from, const std::filesystem::path &to, std::string &scratch)
{
    scratch.clear();
    sys::appendPathBytes(scratch, from);
    putField(out, scratch);
    out += ' ';
    scratch.clear();
    sys::appendPathBytes(scratch, to);
    putField(out, scratch);
    out += '\n';
}

} // namespace

std::string journalBytes(const Journal &journal)
{
    std::string out = headOf(journal, journal.pairs.size());
    std::string scratch;
    for (const auto &[from, to] : journal.pairs)
        putPair(out, from, to, scratch);
    return out + "end\n";
}

std::string journalBytes(const Journal &header, const std::vector<std::filesystem::path> &from,
                         const std::vector<std::filesystem::path> &to, const std::vector<bool> &taken)
{
    std::string out = headOf(header, static_cast<std::size_t>(std::count(taken.begin(), taken.end(), true)));
    std::size_t size = out.size();
    for (std::size_t i = 0; i < from.size(); ++i)
        size += taken[i] ? from[i].native().size() + to[i].native().size() + 16 : 0;
    out.reserve(size); // a big run's journal grows in one piece, not by copies of itself
    std::string scratch;
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (taken[i])
            putPair(out, from[i], to[i], scratch);
    }
    out += "end\n";
    return out;
}

std::string doneMark(std::size_t done)
{
    return "done " + std::to_string(done) + '\n';
}

std::string undoneMark()
{
    return "undone\n";
}

std::optional<std::filesystem::path> journalFolder(std::string_view head)
{
    Reader in(head);
    std::string_view folder;
    if (!in.literal(kMagic) || !in.literal("folder ") || !in.field(folder) || !in.literal("\n"))
        return std::nullopt;
    return sys::pathFromBytes(folder);
}

std::optional<Journal> parseJournal(std::string_view bytes)
{
    Reader in(bytes);
    Journal journal;
    std::string_view folder;
    std::string_view group;
    std::string_view root;
    std::string_view temporaryStem;
    std::size_t count = 0;
    if (!in.literal(kMagic) || !in.literal("folder ") || !in.field(folder) || !in.literal("\ncase "))
        return std::nullopt;
    if (in.literal("upper"))
        journal.mode = Case::Upper;
    else if (in.literal("lower"))
        journal.mode = Case::Lower;
    else
        return std::nullopt;
    // Each pair takes at least eight bytes, which bounds the count by the file.
    if (!in.literal("\ngroup ") || !in.field(group) || !in.literal("\nroot ") || !in.field(root))
        return std::nullopt;
    // Its temporary names must be bare names of the folder too.
    if (in.literal("\ntemporary ") &&
        (!in.field(temporaryStem) || !isBareName(sys::pathFromBytes(std::string(temporaryStem) + ".tmp"))))
        return std::nullopt;
    if (!in.literal("\npairs ") || !in.number(count, in.left() / 8) || !in.literal("\n"))
        return std::nullopt;
    journal.folder = sys::pathFromBytes(folder);
    journal.group = group;
    journal.root = sys::pathFromBytes(root);
    journal.temporaryStem = temporaryStem;
    if (!isFolder(journal.folder) || (!root.empty() && !isFolder(journal.root)) || group.empty() != root.empty())
        return std::nullopt;
    journal.pairs.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view from;
        std::string_view to;
        if (!in.field(from) || !in.literal(" ") || !in.field(to) || !in.literal("\n"))
            return std::nullopt;
        journal.pairs.emplace_back(sys::pathFromBytes(from), sys::pathFromBytes(to));
        if (!isBareName(journal.pairs.back().first) || !isBareName(journal.pairs.back().second))
            return std::nullopt;
    }
    if (!in.literal("end\n"))
        return std::nullopt;
    while (!in.atEnd()) {
        std::size_t done = 0;
        if (in.literal("done ") && in.number(done, count) && in.literal("\n"))
            journal.done = done;
        else if (in.literal(undoneMark()))
            journal.undone = true;
        else if (in.onlyAnUnfinishedLine())
            break;
        else
            return std::nullopt;
    }
    return journal;
}

} // namespace conversion
