#pragma once
// Values remembered by key for a routine that would otherwise work them out
// again and again (text widths, padded time texts). Open addressing over a
// power-of-two number of slots, doubled when half full; past MaxEntries it
// forgets everything and starts anew. The caller hashes the keys; each slot
// keeps the hash beside the entry, so a probe compares keys only where the
// hashes agree.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

template <class Key, class Value, std::size_t MaxEntries> class RememberedTable {
public:
    // The value of the key; null when it was not added (since the last time
    // the table forgot).
    const Value *find(const Key &key, std::uint32_t hash) const
    {
        if (slots_.empty())
            return nullptr;
        hash = usable(hash);
        for (std::size_t at = hash & mask(); slots_[at].hash != 0; at = (at + 1) & mask()) {
            const Slot &slot = slots_[at];
            if (slot.hash == hash && entries_[slot.entry].key == key)
                return &entries_[slot.entry].value;
        }
        return nullptr;
    }

    // Adds a key that find() does not find.
    void add(Key key, std::uint32_t hash, Value value)
    {
        if (entries_.size() >= MaxEntries) {
            entries_.clear();
            slots_.clear();
        }
        entries_.push_back({std::move(key), std::move(value), usable(hash)});
        if (2 * entries_.size() > slots_.size()) {
            slots_.assign(std::max<std::size_t>(FirstSlots, 2 * slots_.size()), Slot{});
            for (std::size_t e = 0; e < entries_.size(); ++e)
                place(e);
        } else {
            place(entries_.size() - 1);
        }
    }

private:
    static constexpr std::size_t FirstSlots = 64;

    struct Slot {
        std::uint32_t hash = 0;   // 0: a free slot
        std::uint32_t entry = 0;
    };
    struct Entry {
        Key key;
        Value value;
        std::uint32_t hash;
    };

    static std::uint32_t usable(std::uint32_t hash) { return hash == 0 ? 1 : hash; }
    std::size_t mask() const { return slots_.size() - 1; }
    void place(std::size_t entry)
    {
        const std::uint32_t hash = entries_[entry].hash;
        std::size_t at = hash & mask();
        while (slots_[at].hash != 0)
            at = (at + 1) & mask();
        slots_[at] = {hash, std::uint32_t(entry)};
    }

    std::vector<Slot> slots_;
    std::vector<Entry> entries_;
};
