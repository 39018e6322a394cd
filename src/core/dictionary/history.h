#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace velkaram {

// What was shown, in the order it was shown, as a browser keeps it: going
// back and forward moves along it, and something new shown after going back
// drops what lay ahead. Showing again what is already current adds nothing.
// Held in memory for the session, at most Limit items (the oldest go).
template <typename T>
class History {
public:
    static constexpr std::size_t Limit = 500;

    void shown(const T &item)
    {
        if (at_ < items_.size() && items_[at_] == item)
            return;
        if (!items_.empty())
            items_.resize(at_ + 1);
        items_.push_back(item);
        if (items_.size() > Limit)
            items_.erase(items_.begin());
        at_ = items_.size() - 1;
    }

    bool canGoBack() const { return !items_.empty() && at_ > 0; }
    bool canGoForward() const { return at_ + 1 < items_.size(); }

    // The item to show, or nothing at either end.
    std::optional<T> back()
    {
        if (!canGoBack())
            return std::nullopt;
        return items_[--at_];
    }
    std::optional<T> forward()
    {
        if (!canGoForward())
            return std::nullopt;
        return items_[++at_];
    }

    std::size_t size() const { return items_.size(); }

private:
    std::vector<T> items_;
    std::size_t at_ = 0;
};

} // namespace velkaram
