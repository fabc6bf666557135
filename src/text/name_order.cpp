// sortNames: names by their case-folded text, with a radix sort on each key's head.
#include "text/name_order.h"

#include "text/names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

namespace {

// The order keys of the names, one after another in one buffer: each name's
// case-folded text in UTF-8, whose byte order is the order of the code points.
// Most names are ASCII and need no decoding.
struct Keys {
    std::string bytes;
    std::vector<std::uint32_t> ends; // where each name's key ends in `bytes`
};

Keys sortKeys(const std::vector<std::filesystem::path> &names)
{
    Keys keys;
    keys.ends.reserve(names.size());
    for (const auto &name : names) {
        const std::size_t start = keys.bytes.size();
        for (const auto unit : name.native()) {
            if (static_cast<std::uint32_t>(unit) >= 0x80) {
                keys.bytes.resize(start);
                keys.bytes += displayName(name).toCaseFolded().toStdString();
                break;
            }
            keys.bytes.push_back(static_cast<char>(unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit));
        }
        keys.ends.push_back(static_cast<std::uint32_t>(keys.bytes.size()));
    }
    return keys;
}

// A name's place in the sort: the first eight bytes of its key as one number,
// which decides most comparisons without reaching into the buffer.
struct Place {
    std::uint64_t head;
    std::uint32_t start;
    std::uint32_t end;
    std::uint32_t index;
};

std::uint64_t headOf(std::string_view key)
{
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i) // keys hold no NUL, so the zeros after a short key order it first
        head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
    return head;
}

// Orders the places by their heads, a byte at a time from the last (a radix sort,
// stable): no comparisons, whose outcome a processor cannot guess on names read
// in the folder's own order. A byte that all heads share costs no pass.
void sortByHead(std::vector<Place> &order)
{
    std::vector<Place> other(order.size());
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> starts{};
        for (const Place &place : order)
            ++starts[(place.head >> shift & 0xFF) + 1];
        if (std::find(starts.begin(), starts.end(), order.size()) != starts.end())
            continue;
        for (std::size_t digit = 1; digit < starts.size(); ++digit)
            starts[digit] += starts[digit - 1];
        for (const Place &place : order)
            other[starts[place.head >> shift & 0xFF]++] = place;
        order.swap(other);
    }
}

} // namespace

std::vector<std::size_t> sortedOrder(const std::vector<std::filesystem::path> &names)
{
    const Keys keys = sortKeys(names);
    std::vector<Place> order;
    order.reserve(names.size());
    std::uint32_t start = 0;
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        const std::string_view key(keys.bytes.data() + start, keys.ends[i] - start);
        order.push_back({headOf(key), start, keys.ends[i], i});
        start = keys.ends[i];
    }
    sortByHead(order);
    // Names alike in their heads now lie together; the rest of their keys settles
    // their order, then, for names equal but for case, their bytes.
    const auto rest = [&](const Place &place) {
        const std::uint32_t from = std::min(place.start + 8, place.end);
        return std::string_view(keys.bytes.data() + from, place.end - from);
    };
    for (auto first = order.begin(); first != order.end();) {
        const auto last = std::find_if(first, order.end(), [&](const Place &place) { return place.head != first->head; });
        if (last - first > 1) {
            std::sort(first, last, [&](const Place &a, const Place &b) {
                if (const int byKey = rest(a).compare(rest(b)))
                    return byKey < 0;
                return names[a.index].native() < names[b.index].native();
            });
        }
        first = last;
    }
    std::vector<std::size_t> indices;
    indices.reserve(order.size());
    for (const Place &place : order)
        indices.push_back(place.index);
    return indices;
}

void sortNames(std::vector<std::filesystem::path> &names)
{
    std::vector<std::filesystem::path> sorted;
    sorted.reserve(names.size());
    for (const std::size_t index : sortedOrder(names))
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}

} // namespace text
