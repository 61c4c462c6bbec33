#pragma once
// Entries found by a key digest: open addressing with linear probing in one
// array of small slots (32 bits of the digest and an entry's number), the
// entries with their whole digests in a vector of their own. A digest may
// stand for more than one entry; find() asks the caller's comparison of the
// full key at every entry whose digest is equal.
#include <cstdint>
#include <vector>

#include "record/key_digest.h"

namespace velmora::record {

template <class Entry>
class DigestTable {
public:
    // The entry with this digest that `matches` accepts, or nullptr.
    template <class Matches>
    Entry* find(const KeyDigest& digest, Matches&& matches)
    {
        if (slots_.empty())
            return nullptr;
        const std::uint32_t tag = tagOf(digest);
        for (std::size_t i = home(digest);; i = next(i)) {
            const Slot& slot = slots_[i];
            if (slot.entry_after == 0)
                return nullptr;
            if (slot.tag != tag)
                continue;
            Held& held = entries_[slot.entry_after - 1];
            if (held.digest == digest && matches(held.entry))
                return &held.entry;
        }
    }
    template <class Matches>
    const Entry* find(const KeyDigest& digest, Matches&& matches) const
    {
        return const_cast<DigestTable*>(this)->find(digest, matches);
    }

    // Whether any entry has this digest.
    bool holds(const KeyDigest& digest) const
    {
        if (slots_.empty())
            return false;
        const std::uint32_t tag = tagOf(digest);
        for (std::size_t i = home(digest);; i = next(i)) {
            const Slot& slot = slots_[i];
            if (slot.entry_after == 0)
                return false;
            if (slot.tag == tag && entries_[slot.entry_after - 1].digest == digest)
                return true;
        }
    }

    // Adds an entry that find() does not know. References to entries stay
    // valid until the next add().
    Entry& add(const KeyDigest& digest, Entry entry)
    {
        if ((entries_.size() + 1) * 2 > slots_.size())
            grow();
        entries_.push_back({digest, std::move(entry)});
        place(digest, static_cast<std::uint32_t>(entries_.size()));
        return entries_.back().entry;
    }

    // Room for `entries` without growing.
    void reserve(std::size_t entries)
    {
        entries_.reserve(entries);
        std::size_t slots = first_size;
        while (slots < entries * 2)
            slots *= 2;
        if (slots > slots_.size())
            rehash(slots);
    }

    template <class Visit>
    void forEach(Visit&& visit)
    {
        for (Held& held : entries_)
            visit(held.entry);
    }

private:
    struct Held {
        KeyDigest digest;
        Entry entry;
    };
    struct Slot {
        std::uint32_t tag = 0;          // the digest's high bits
        std::uint32_t entry_after = 0;  // the entry's number plus one; 0: the slot is free
    };
    static constexpr std::size_t first_size = 16;

    static std::uint32_t tagOf(const KeyDigest& digest) { return static_cast<std::uint32_t>(digest.high >> 32); }
    std::size_t home(const KeyDigest& digest) const { return digest.low & (slots_.size() - 1); }
    std::size_t next(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }

    void place(const KeyDigest& digest, std::uint32_t entry_after)
    {
        std::size_t i = home(digest);
        while (slots_[i].entry_after != 0)
            i = next(i);
        slots_[i] = {tagOf(digest), entry_after};
    }

    // Twice the slots, at most half of them used: probes stay short.
    void grow() { rehash(slots_.empty() ? first_size : slots_.size() * 2); }

    void rehash(std::size_t slots)
    {
        std::vector<Slot> old(slots);
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.entry_after != 0)
                place(entries_[slot.entry_after - 1].digest, slot.entry_after);
    }

    std::vector<Slot> slots_;  // a power of two in size
    std::vector<Held> entries_;
};

}  // namespace velmora::record
