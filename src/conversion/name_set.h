// A set of views of names in one flat table, for the checks a run makes on every
// name of a big folder: no allocation per name, and a lookup costs one hash and a
// probe or two.
#pragma once

#include <bit>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace conversion {

// A view of a name, which stays where it is for as long as the set is used.
using Key = std::basic_string_view<std::filesystem::path::value_type>;

class NameSet {
public:
    // Room for `count` names at most; names are never empty, so an empty view
    // marks a free slot.
    explicit NameSet(std::size_t count) : m_slots(std::bit_ceil(count * 2 + 2)) {}

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
        Key &slot = m_slots[slotOf(key)];
        if (!slot.empty())
            return false;
        slot = key;
        return true;
    }

    bool contains(Key key) const { return !m_slots[slotOf(key)].empty(); }

private:
    static Key keyOf(Key key) { return key; }
    static Key keyOf(const std::filesystem::path &name) { return name.native(); }

    // The slot that holds the name, or the free one where it would go.
    std::size_t slotOf(Key key) const
    {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = std::hash<Key>{}(key) & mask;
        while (!m_slots[i].empty() && m_slots[i] != key)
            i = (i + 1) & mask;
        return i;
    }

    std::vector<Key> m_slots;
};

} // namespace conversion
