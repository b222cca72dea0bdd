#pragma once

#include <memory>

namespace tavlen::linux_platform {

// Owns an object of a C library and gives it back through the library's own function:
// ReleasedBy<xkb_context, xkb_context_unref>.
template <auto release>
struct CallRelease {
    template <typename T>
    void operator()(T* object) const
    {
        release(object);
    }
};

template <typename T, auto release>
using ReleasedBy = std::unique_ptr<T, CallRelease<release>>;

} // namespace tavlen::linux_platform
