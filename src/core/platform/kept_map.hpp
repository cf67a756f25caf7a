#pragma once
// What the program works out once from a file or folder and keeps while that file or folder stays
// as it was: a folder's listing, the real spelling of a folder, an archive's directory. One process
// shares each such store between its threads, so every look at it is made under its lock.
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace fw {

template <class Value>
class KeptMap {
public:
    // The value kept under `key` while `still_good(value)` holds; a value no longer good is forgotten.
    template <class StillGood>
    std::optional<Value> find(const std::string& key, StillGood still_good) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto it = values_.find(key);
        if (it == values_.end()) return std::nullopt;
        if (still_good(it->second)) return it->second;
        values_.erase(it);
        return std::nullopt;
    }

    void keep(const std::string& key, Value value) {
        const std::lock_guard<std::mutex> lock(mutex_);
        values_.insert_or_assign(key, std::move(value));
    }

    // Runs `work(values)` under the lock, for a caller that changes kept values in place.
    template <class Work>
    decltype(auto) with_values(Work work) {
        const std::lock_guard<std::mutex> lock(mutex_);
        return work(values_);
    }

private:
    std::mutex mutex_;
    std::unordered_map<std::string, Value> values_;
};

}  // namespace fw
