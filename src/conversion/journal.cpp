// The journals' bytes in both forms, and their marks: a text header, then each
// name as its length and its raw bytes, so that any name, Shift_JIS bytes
// included, comes back byte for byte.
#include "conversion/journal.h"

#include "system/paths.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace conversion {

namespace {

constexpr std::string_view kMagic = "MOJIK-JOURNAL 1\n";
constexpr std::string_view kRunMagic = "MOJIK-JOURNAL 2\n";
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

// `count` pairs of names, each a bare name.
bool readPairs(Reader &in, std::size_t count, std::vector<std::pair<std::filesystem::path, std::filesystem::path>> &pairs)
{
    pairs.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view from;
        std::string_view to;
        if (!in.field(from) || !in.literal(" ") || !in.field(to) || !in.literal("\n"))
            return false;
        pairs.emplace_back(sys::pathFromBytes(from), sys::pathFromBytes(to));
        if (!isBareName(pairs.back().first) || !isBareName(pairs.back().second))
            return false;
    }
    return true;
}

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
    out += "\ncase upper\ngroup "; // read by nothing: the pairs say what the run did
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
    if ((!in.literal(kMagic) || !in.literal("folder ")) && (!in.literal(kRunMagic) || !in.literal("of ")))
        return std::nullopt;
    if (!in.field(folder) || !in.literal("\n"))
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
    if (!in.literal("upper") && !in.literal("lower"))
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
    journal.folderAfter = journal.folder;
    journal.format = 1;
    if (!isFolder(journal.folder) || (!root.empty() && !isFolder(journal.root)) || group.empty() != root.empty())
        return std::nullopt;
    if (!readPairs(in, count, journal.pairs))
        return std::nullopt;
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

std::string runJournalBytes(const std::filesystem::path &of, bool recursive, const std::string &temporaryStem,
                            const std::vector<JournalPart> &parts)
{
    std::string out(kRunMagic);
    out += "of ";
    putField(out, sys::pathBytes(of));
    out += recursive ? "\ntree 1\ntemporary " : "\ntree 0\ntemporary ";
    putField(out, temporaryStem);
    out += "\nfolders " + std::to_string(parts.size()) + '\n';
    std::size_t size = out.size();
    for (const JournalPart &part : parts) {
        size += part.folder->native().size() + 64;
        for (std::size_t i = 0; i < part.from->size(); ++i)
            size += (*part.taken)[i] ? (*part.from)[i].native().size() + (*part.to)[i].native().size() + 16 : 0;
    }
    out.reserve(size); // a big run's journal grows in one piece, not by copies of itself
    std::string scratch;
    for (const JournalPart &part : parts) {
        out += "folder ";
        putField(out, sys::pathBytes(*part.folder));
        out += " id ";
        putField(out, *part.identity);
        out += "\npairs " + std::to_string(std::count(part.taken->begin(), part.taken->end(), true)) + '\n';
        for (std::size_t i = 0; i < part.from->size(); ++i) {
            if ((*part.taken)[i])
                putPair(out, (*part.from)[i], (*part.to)[i], scratch);
        }
    }
    out += "end\n";
    return out;
}

std::string undoingMark(const Journal &part)
{
    return part.format == 1 ? std::string() : "undoing " + std::to_string(part.section) + '\n';
}

std::string undoneMark(const Journal &part)
{
    return part.format == 1 ? undoneMark() : "undone " + std::to_string(part.section) + '\n';
}

namespace {

// Where each folder of a run is once the run is over: the folders above it may
// have been renamed by the parts of the folders holding them.
void placeAfterTheRun(std::vector<Journal> &parts)
{
    std::map<std::filesystem::path, const Journal *> byFolder;
    for (const Journal &part : parts)
        byFolder.emplace(part.folder, &part);
    for (Journal &part : parts) {
        std::filesystem::path after;
        std::filesystem::path before;
        for (const std::filesystem::path &name : part.folder) {
            std::filesystem::path renamed = name;
            if (const auto holder = byFolder.find(before); !before.empty() && holder != byFolder.end()) {
                for (const auto &[from, to] : holder->second->pairs) {
                    if (from == name)
                        renamed = to;
                }
            }
            before /= name;
            after /= renamed;
        }
        part.folderAfter = after;
    }
}

std::optional<std::vector<Journal>> parseRun(std::string_view bytes)
{
    Reader in(bytes);
    std::string_view of;
    std::string_view temporaryStem;
    std::size_t recursive = 0;
    std::size_t count = 0;
    if (!in.literal(kRunMagic) || !in.literal("of ") || !in.field(of) || !in.literal("\ntree ") ||
        !in.number(recursive, 1) || !in.literal("\ntemporary ") || !in.field(temporaryStem) ||
        !isBareName(sys::pathFromBytes(std::string(temporaryStem) + ".tmp")) || !in.literal("\nfolders ") ||
        !in.number(count, in.left() / 16) || !in.literal("\n"))
        return std::nullopt;
    const std::filesystem::path root = sys::pathFromBytes(of);
    if (!isFolder(root))
        return std::nullopt;
    std::vector<Journal> parts(count);
    for (std::size_t k = 0; k < count; ++k) {
        Journal &part = parts[k];
        std::string_view folder;
        std::string_view identity;
        std::size_t pairs = 0;
        if (!in.literal("folder ") || !in.field(folder) || !in.literal(" id ") || !in.field(identity) ||
            !in.literal("\npairs ") || !in.number(pairs, in.left() / 8) || !in.literal("\n"))
            return std::nullopt;
        part.folder = sys::pathFromBytes(folder);
        // Every folder of a run lies in the folder it was given.
        const std::filesystem::path below = part.folder.lexically_relative(root);
        if (!isFolder(part.folder) || below.empty() || *below.begin() == ".." || (!recursive && below != "."))
            return std::nullopt;
        part.identity = identity;
        part.temporaryStem = temporaryStem;
        // A part of a tree keeps a group, as the first form needs one beside
        // its root: written again in that form, it is still read whole.
        if (recursive) {
            part.root = root;
            part.group = sys::pathBytes(root);
        }
        part.section = k;
        if (!readPairs(in, pairs, part.pairs))
            return std::nullopt;
        part.done = pairs;
    }
    if (!in.literal("end\n"))
        return std::nullopt;
    while (!in.atEnd()) {
        std::size_t k = 0;
        if (in.literal("undoing ") && in.number(k, count) && k < count && in.literal("\n"))
            parts[k].undoing = true;
        else if (in.literal("undone ") && in.number(k, count) && k < count && in.literal("\n"))
            parts[k].undone = true;
        else if (in.onlyAnUnfinishedLine())
            break;
        else
            return std::nullopt;
    }
    placeAfterTheRun(parts);
    return parts;
}

} // namespace

std::optional<std::vector<Journal>> parseJournals(std::string_view bytes)
{
    if (bytes.starts_with(kRunMagic))
        return parseRun(bytes);
    std::optional<Journal> journal = parseJournal(bytes);
    if (!journal)
        return std::nullopt;
    return std::vector<Journal>{std::move(*journal)};
}

} // namespace conversion
