#pragma once
#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/Log.h"

namespace NK {

// The behaviour every engine store shares: items by exact key, owned by the
// store; remaking a key logs and replaces, destroying a missing key logs,
// looking up a missing key is fatal. Each store adds only what its kind of
// item needs; the item type releases its own Allegro objects.
template <typename Item>
class KeyedStore {
public:
    // `kind` names the item in "remade" / "not found to destroy" lines,
    // `lookupKind` in the fatal look-up message (they differ for a few kinds,
    // such as "Design" and "Dialog Design"), and `remadeWord` ends the remade line.
    explicit KeyedStore(std::string kind, std::string lookupKind = {},
                        std::string remadeWord = "remade")
        : kind(std::move(kind)),
          lookupKind(lookupKind.empty() ? this->kind : std::move(lookupKind)),
          remadeWord(std::move(remadeWord)) {}

    bool contains(const std::string& key) const { return items.count(key) != 0; }

    // Call before making an item under `key`: logs and destroys the old one,
    // so the replacement is announced before its file is even opened.
    void clearForRemake(const std::string& key) {
        auto it = items.find(key);
        if (it == items.end()) return;
        logInfo(kind + " with key \"" + key + "\" " + remadeWord);
        items.erase(it);
    }

    // Stores a freshly made item (after clearForRemake) and returns it.
    Item& insert(const std::string& key, Item item) {
        return items.insert_or_assign(key, std::move(item)).first->second;
    }

    // clearForRemake + insert, for items that are cheap to make up front.
    Item& put(const std::string& key, Item item) {
        clearForRemake(key);
        return insert(key, std::move(item));
    }

    // The item, or a fatal error naming the key.
    Item& get(const std::string& key) {
        auto it = items.find(key);
        if (it == items.end()) {
            fatalError(lookupKind + " key \"" + key + "\" not found");
        }
        return it->second;
    }
    const Item& get(const std::string& key) const {
        return const_cast<KeyedStore*>(this)->get(key);
    }

    // A pointer to the item or null, for callers that decide for themselves.
    Item* find(const std::string& key) {
        auto it = items.find(key);
        return it == items.end() ? nullptr : &it->second;
    }

    void destroy(const std::string& key) {
        auto it = items.find(key);
        if (it == items.end()) {
            logInfo(kind + " with key \"" + key + "\" not found to destroy");
            return;
        }
        items.erase(it);
    }

    void clear() { items.clear(); }

    // Drops, without a log line, every item the predicate picks (the physics
    // world's culls).
    template <typename Predicate>
    void eraseIf(Predicate pick) {
        for (auto it = items.begin(); it != items.end();) {
            if (pick(it->second))
                it = items.erase(it);
            else
                ++it;
        }
    }
    std::size_t size() const { return items.size(); }
    // Every key held, sorted: what a check of the store's contents compares.
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        out.reserve(items.size());
        for (const auto& item : items) out.push_back(item.first);
        std::sort(out.begin(), out.end());
        return out;
    }
    auto begin() { return items.begin(); }
    auto end() { return items.end(); }

    const std::string kind;

private:
    std::string lookupKind;
    std::string remadeWord;
    std::unordered_map<std::string, Item> items;
};

}  // namespace NK
