// sortNames: names by their case-folded text, with radix sorts on their keys, the
// two halves of a big list on two cores.
#include "text/name_order.h"

#include "system/beside.h"
#include "text/names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace text {

namespace {

// The order keys of some names, one after another in one buffer: each name's
// case-folded text in UTF-8, whose byte order is the order of the code points.
// Most names are ASCII and need no decoding.
struct Keys {
    std::string bytes;
    std::vector<std::uint32_t> ends; // where each name's key ends in `bytes`
};

Keys sortKeys(std::span<const std::filesystem::path> names)
{
    Keys keys;
    std::size_t total = 0;
    for (const auto &name : names)
        total += name.native().size();
    keys.bytes.reserve(total);
    keys.ends.reserve(names.size());
    for (const auto &name : names) {
        const auto &text = name.native();
        const std::size_t start = keys.bytes.size();
        keys.bytes.resize(start + text.size());
        char *key = keys.bytes.data() + start;
        std::uint32_t units = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto unit = static_cast<std::uint32_t>(text[i]);
            units |= unit;
            key[i] = static_cast<char>(unit - 'A' < 26 ? unit - 'A' + 'a' : unit);
        }
        if (units >= 0x80) {
            keys.bytes.resize(start);
            keys.bytes += displayName(name).toCaseFolded().toStdString();
        }
        keys.ends.push_back(static_cast<std::uint32_t>(keys.bytes.size()));
    }
    return keys;
}

// A name's place in the sort: eight bytes of its key as one number, which decides
// most comparisons without reaching into the buffer.
struct Place {
    std::uint64_t head;
    std::uint32_t start;
    std::uint32_t end;
    std::uint32_t index;
};

std::uint64_t headOf(const Keys &keys, const Place &place, std::uint32_t depth)
{
    // Keys hold no NUL, so the zeros after a short key order it first.
    std::uint64_t head = 0;
    for (std::uint32_t i = place.start + depth; i < place.start + depth + 8; ++i)
        head = head << 8 | (i < place.end ? static_cast<unsigned char>(keys.bytes[i]) : 0U);
    return head;
}

// Orders the places by their heads, a byte at a time from the last (a radix sort,
// stable): no comparisons, whose outcome a processor cannot guess on names read
// in the folder's own order. A byte that all heads share costs no pass.
void sortByHead(std::span<Place> order, std::vector<Place> &spare)
{
    spare.resize(std::max(spare.size(), order.size()));
    Place *from = order.data();
    Place *to = spare.data();
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> starts{};
        for (const Place &place : order)
            ++starts[(place.head >> shift & 0xFF) + 1];
        if (std::find(starts.begin(), starts.end(), order.size()) != starts.end())
            continue;
        for (std::size_t digit = 1; digit < starts.size(); ++digit)
            starts[digit] += starts[digit - 1];
        for (std::size_t i = 0; i < order.size(); ++i)
            to[starts[from[i].head >> shift & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != order.data())
        std::copy(from, from + order.size(), order.data());
}

// Whether `a` goes before `b`, two names whose keys agree on their first `from`
// bytes: by the rest of their keys, then, for names equal but for case, by their
// bytes. Each key lies in the buffer of its own part of the names.
bool before(const std::vector<std::filesystem::path> &names, const Keys &aKeys, const Place &a, const Keys &bKeys,
            const Place &b, std::uint32_t from)
{
    const auto rest = [from](const Keys &keys, const Place &place) {
        const std::uint32_t start = std::min(place.start + from, place.end);
        return std::string_view(keys.bytes.data() + start, place.end - start);
    };
    if (const int byKey = rest(aKeys, a).compare(rest(bKeys, b)))
        return byKey < 0;
    return names[a.index].native() < names[b.index].native();
}

// Below this many, names alike in their heads are sorted by comparing the rest.
constexpr std::size_t kRadixGroup = 64;

// Sorts places whose keys agree on their first `depth` bytes and whose heads are
// the next eight. Names alike in their heads go on to the next eight bytes, then
// get their heads back.
void sortFrom(const std::vector<std::filesystem::path> &names, const Keys &keys, std::span<Place> order,
              std::uint32_t depth, std::vector<Place> &spare)
{
    sortByHead(order, spare);
    for (auto first = order.begin(); first != order.end();) {
        const std::uint64_t head = first->head;
        const auto last = std::find_if(first, order.end(), [&](const Place &place) { return place.head != head; });
        const std::span<Place> alike(first, last);
        if ((head & 0xFF) == 0 || alike.size() < kRadixGroup) {
            // A head that ends in a zero holds the end of every key alike in it:
            // those keys are equal, and only the names' bytes tell them apart.
            std::sort(first, last,
                      [&](const Place &a, const Place &b) { return before(names, keys, a, keys, b, depth + 8); });
        } else {
            for (Place &place : alike)
                place.head = headOf(keys, place, depth + 8);
            sortFrom(names, keys, alike, depth + 8, spare);
            for (Place &place : alike)
                place.head = head;
        }
        first = last;
    }
}

// Some of the names in order, each place's head the first eight bytes of its key.
struct Part {
    Keys keys;
    std::vector<Place> order;
};

Part sortedPart(const std::vector<std::filesystem::path> &names, std::size_t first, std::size_t last)
{
    Part part{sortKeys(std::span(names).subspan(first, last - first)), {}};
    part.order.reserve(last - first);
    std::uint32_t start = 0;
    for (std::size_t i = first; i < last; ++i) {
        Place place{0, start, part.keys.ends[i - first], static_cast<std::uint32_t>(i)};
        place.head = headOf(part.keys, place, 0);
        part.order.push_back(place);
        start = place.end;
    }
    std::vector<Place> spare;
    sortFrom(names, part.keys, part.order, 0, spare);
    return part;
}

// Below this many names one core sorts them all: a thread costs more than it saves.
constexpr std::size_t kTwoCores = 4096;

} // namespace

std::vector<std::size_t> sortedOrder(const std::vector<std::filesystem::path> &names)
{
    std::vector<std::size_t> indices;
    indices.reserve(names.size());
    if (names.size() < kTwoCores) {
        for (const Place &place : sortedPart(names, 0, names.size()).order)
            indices.push_back(place.index);
        return indices;
    }
    const std::size_t middle = names.size() / 2;
    auto later = sys::beside([&names, middle] { return sortedPart(names, middle, names.size()); });
    const Part first = sortedPart(names, 0, middle);
    const Part second = later.get();
    // Whether the second half's name goes before the first half's; on a tie the first half's goes first.
    const auto secondFirst = [&](const Place &a, const Place &b) {
        return a.head != b.head ? b.head < a.head : before(names, second.keys, b, first.keys, a, 8);
    };
    auto a = first.order.begin();
    auto b = second.order.begin();
    while (a != first.order.end() && b != second.order.end())
        indices.push_back(secondFirst(*a, *b) ? (b++)->index : (a++)->index);
    for (; a != first.order.end(); ++a)
        indices.push_back(a->index);
    for (; b != second.order.end(); ++b)
        indices.push_back(b->index);
    return indices;
}

void sortNames(std::vector<std::filesystem::path> &names)
{
    std::vector<std::filesystem::path> sorted;
    sorted.reserve(names.size());
    const std::vector<std::size_t> order = sortedOrder(names);
    // The names are taken from all over the list: asking for those a few places
    // ahead keeps the processor from waiting on each in turn.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size())
            __builtin_prefetch(&names[order[i + kAhead]]);
        sorted.push_back(std::move(names[order[i]]));
    }
    names = std::move(sorted);
}

} // namespace text
