#pragma once

#include <memory>

namespace velkaram {

// A reference that comes into being at its first use and, once released, is
// created anew at the next one.
template <typename T>
class AutoRef {
public:
    T *operator->() { return shared().get(); }
    T &operator*() { return *shared(); }
    const std::shared_ptr<T> &shared()
    {
        if (!object_)
            object_ = std::make_shared<T>();
        return object_;
    }
    bool exists() const { return object_ != nullptr; }
    void reset() { object_.reset(); }

private:
    std::shared_ptr<T> object_;
};

} // namespace velkaram
