#pragma once

#include "platform/WindowStacking.h"

#include <vector>

namespace tavlen::fake {

// Records the requests in the order they were made.
class FakeWindowStacking final : public WindowStacking {
public:
    struct Request {
        enum class Kind { OnAllDesktops, Above, NotAbove, OffTaskbar };

        Kind kind;
        quintptr window;

        friend bool operator==(const Request&, const Request&) = default;
    };

    void keepOnAllDesktops(quintptr nativeWindowId) override
    {
        requests.push_back({Request::Kind::OnAllDesktops, nativeWindowId});
    }
    void keepAbove(quintptr nativeWindowId, bool above) override
    {
        requests.push_back({above ? Request::Kind::Above : Request::Kind::NotAbove, nativeWindowId});
    }
    void keepOffTaskbar(quintptr nativeWindowId) override
    {
        requests.push_back({Request::Kind::OffTaskbar, nativeWindowId});
    }

    bool compositing() const override { return compositingManager; }

    std::vector<Request> requests;
    bool compositingManager = true;
};

} // namespace tavlen::fake
