// The store bounded in bytes: what it lets go of when full, and what finding a value changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twinscope/runtime/LruStore.h"

namespace twinscope {
namespace {

using TStore = TLruStore<std::string, int, std::hash<std::string>, std::equal_to<>>;
constexpr std::size_t Entry = TStore::EntryBytes;

// Plays "+k" (add k, 10 bytes) and "?k" (find k) on a store of room for three values, and
// answers the keys it then holds.
std::string Played(const std::vector<std::string>& steps) {
    TStore store(3 * (10 + Entry));
    for (const std::string& step : steps) {
        const std::string key = step.substr(1);
        if (step[0] == '+') store.Add(key, 0, 10);
        if (step[0] == '?') store.Find(key);
        if (store.Bytes() > store.MaxBytes()) return "over its bound";
    }
    std::string held;
    for (const char* key : {"a", "b", "c", "d", "e"}) {
        if (store.Find(std::string(key))) held += key;
    }
    return held;
}

TEST(LruStoreTest, LetsGoOfTheValuesUsedLongestAgo) {
    struct Row {
        const char* name;
        std::vector<std::string> steps;
        const char* held;
    };
    const Row rows[] = {
        {"within its room", {"+a", "+b", "+c"}, "abc"},
        {"the first added goes first", {"+a", "+b", "+c", "+d"}, "bcd"},
        {"a value found is kept", {"+a", "+b", "+c", "?a", "+d"}, "acd"},
        {"the oldest found, then two added", {"+a", "+b", "+c", "?a", "+d", "+e"}, "ade"},
        {"the newest found changes nothing", {"+a", "+b", "+c", "?c", "+d"}, "bcd"},
        {"the middle found", {"+a", "+b", "+c", "?b", "+d", "+e"}, "bde"},
        {"a value not there found", {"+a", "?x", "+b", "+c", "+d"}, "bcd"},
        {"every value found in turn",
         {"+a", "+b", "+c", "?a", "?b", "?c", "?a", "+d", "+e"},
         "ade"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Played(row.steps), row.held) << row.name;
}

TEST(LruStoreTest, CountsItsBytesAndKeepsAValueLargerThanItsBound) {
    TStore store(100);
    store.Add("small", 1, 10);
    EXPECT_EQ(store.Bytes(), 10 + Entry);
    store.Add("large", 2, 1000);
    EXPECT_EQ(store.Size(), 1u) << "the large value alone";
    ASSERT_NE(store.Find(std::string("large")), nullptr);
    EXPECT_EQ(*store.Find(std::string("large")), 2);
    store.Add("next", 3, 10);
    EXPECT_EQ(store.Size(), 1u);
    EXPECT_EQ(store.Bytes(), 10 + Entry);
    store.Clear();
    EXPECT_EQ(store.Size(), 0u);
    EXPECT_EQ(store.Bytes(), 0u);
    EXPECT_EQ(store.Find(std::string("next")), nullptr);
}

}  // namespace
}  // namespace twinscope
