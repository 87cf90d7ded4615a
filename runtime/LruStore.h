#pragma once

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>

namespace twinscope {

// Values kept under their keys within a number of bytes: each value comes with what it takes,
// and adding one past the bound first lets go of the values used longest ago. A value found
// becomes the most recently used. Hash and Equal may be transparent, so that a key is looked up
// by a lighter view of it.
template <typename Key, typename Value, typename Hash, typename Equal = std::equal_to<>>
class TLruStore {
public:
    explicit TLruStore(std::size_t maxBytes) : maxBytes_(maxBytes) {}
    TLruStore(const TLruStore&) = delete;
    TLruStore& operator=(const TLruStore&) = delete;

    // The value under `key`, or null.
    template <typename K>
    Value* Find(const K& key) {
        const auto found = entries_.find(key);
        if (found == entries_.end()) return nullptr;
        Unlink(&*found);
        LinkNewest(&*found);
        return &found->second.Held;
    }

    // Stores a value that is not there yet, taking `bytes` besides the store's own bookkeeping.
    // A value larger than the whole bound is kept alone.
    Value& Add(Key key, Value value, std::size_t bytes) {
        bytes += EntryBytes;
        while (oldest_ && bytes_ + bytes > maxBytes_)
            Evict(oldest_);
        auto [at, added] = entries_.try_emplace(std::move(key), std::move(value), bytes);
        if (added) {
            bytes_ += bytes;
            LinkNewest(&*at);
        }
        return at->second.Held;
    }

    void Clear() {
        entries_.clear();
        newest_ = oldest_ = nullptr;
        bytes_ = 0;
    }

    std::size_t Size() const { return entries_.size(); }
    // What the values take with the store's bookkeeping for them.
    std::size_t Bytes() const { return bytes_; }
    std::size_t MaxBytes() const { return maxBytes_; }

    // What the store's own bookkeeping takes for an entry: the hash node with its links.
    static constexpr std::size_t EntryBytes = 4 * sizeof(void*) + sizeof(std::size_t);

private:
    struct TNode;
    using TMap = std::unordered_map<Key, TNode, Hash, Equal>;
    using TEntry = typename TMap::value_type;
    struct TNode {
        TNode(Value value, std::size_t bytes) : Held(std::move(value)), Bytes(bytes) {}
        Value Held;
        std::size_t Bytes;
        TEntry* Newer = nullptr;
        TEntry* Older = nullptr;
    };

    void LinkNewest(TEntry* entry) {
        entry->second.Older = newest_;
        entry->second.Newer = nullptr;
        if (newest_) newest_->second.Newer = entry;
        newest_ = entry;
        if (!oldest_) oldest_ = entry;
    }
    void Unlink(TEntry* entry) {
        TNode& node = entry->second;
        (node.Newer ? node.Newer->second.Older : newest_) = node.Older;
        (node.Older ? node.Older->second.Newer : oldest_) = node.Newer;
    }
    void Evict(TEntry* entry) {
        Unlink(entry);
        bytes_ -= entry->second.Bytes;
        entries_.erase(entry->first);
    }

    TMap entries_;
    TEntry* newest_ = nullptr;
    TEntry* oldest_ = nullptr;
    std::size_t bytes_ = 0;
    std::size_t maxBytes_;
};

}  // namespace twinscope
