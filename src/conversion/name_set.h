// A set of views of names in one flat table, for the checks a run makes on every
// name of a big folder: no allocation per name, and a lookup costs one hash and a
// probe or two.
#pragma once

#include <bit>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace conversion {

// A view of a name, which stays where it is for as long as the set is used.
using Key = std::basic_string_view<std::filesystem::path::value_type>;

class NameSet {
public:
    // Room for `count` names at most, the table two thirds full at most: the tags
    // keep the longer probes cheap, and a smaller table is less fresh memory to
    // touch. Names are never empty, so an empty slot marks a free one.
    explicit NameSet(std::size_t count) : m_slots(std::bit_ceil(count + count / 2 + 2)) {}

    // Every name of the list, leaving out empty ones.
    template <typename Name>
    explicit NameSet(const std::vector<Name> &names) : NameSet(names.size())
    {
        for (const Name &name : names) {
            if (const Key key = keyOf(name); !key.empty())
                insert(key);
        }
    }

    // False where the name was there already.
    bool insert(Key key)
    {
        const std::size_t hash = std::hash<Key>{}(key);
        Slot &slot = m_slots[slotOf(key, hash)];
        if (slot.size != 0)
            return false;
        slot = {key.data(), static_cast<std::uint32_t>(key.size()), tagOf(hash)};
        return true;
    }

    // Starts bringing in the slot where a look-up of `key` begins. A big folder's
    // table outgrows the processor's caches, so a loop over many names asks for
    // a name a few steps ahead, and that name's look-up then finds its slot at hand.
    void prefetch(Key key) const { __builtin_prefetch(&m_slots[std::hash<Key>{}(key) & (m_slots.size() - 1)]); }

    bool contains(Key key) const { return m_slots[slotOf(key, std::hash<Key>{}(key))].size != 0; }

private:
    // A name's view, with bits of its hash that settle most probes without
    // reaching into the name itself.
    struct Slot {
        const Key::value_type *data = nullptr;
        std::uint32_t size = 0; // names are short: their length fits
        std::uint32_t tag = 0;
    };

    static Key keyOf(Key key) { return key; }
    static Key keyOf(const std::filesystem::path &name) { return name.native(); }

    // The top bits: the slot is chosen by the bottom ones.
    static std::uint32_t tagOf(std::size_t hash) { return static_cast<std::uint32_t>(hash >> (8 * sizeof hash - 32)); }

    // The slot that holds the name, or the free one where it would go.
    std::size_t slotOf(Key key, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        const std::uint32_t tag = tagOf(hash);
        std::size_t i = hash & mask;
        for (;;) {
            const Slot &slot = m_slots[i];
            if (slot.size == 0 || (slot.tag == tag && Key(slot.data, slot.size) == key))
                return i;
            i = (i + 1) & mask;
        }
    }

    std::vector<Slot> m_slots;
};

} // namespace conversion
