#pragma once

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <functional>
#include <memory>

namespace tavlen {

// What an accessibility adapter (AT-SPI, a test fixture) keeps for one element. The harvest only
// passes elements around, compares them and hands them back to the adapter that made them.
class AXElementHandle {
public:
    virtual ~AXElementHandle() = default;

    // Whether two handles stand for the same element. Adapters that may hand out two handles for
    // one element override this together with identityHash.
    virtual bool sameElement(const AXElementHandle& other) const { return this == &other; }
    virtual std::size_t identityHash() const noexcept { return std::hash<const void*>{}(this); }
    // The adapter's name for the application the element belongs to (on AT-SPI its bus name);
    // empty when unknown. Events about an application name it the same way.
    virtual QString origin() const { return {}; }

protected:
    AXElementHandle() = default;
    AXElementHandle(const AXElementHandle&) = default;
    AXElementHandle& operator=(const AXElementHandle&) = default;
};

// A cheap, shared reference to an accessibility element; copies refer to the same element. The
// null element refers to nothing.
class AXElement {
public:
    AXElement() = default;
    explicit AXElement(std::shared_ptr<AXElementHandle> handle) : m_handle(std::move(handle)) {}

    bool isNull() const { return m_handle == nullptr; }
    AXElementHandle* handle() const { return m_handle.get(); }
    QString origin() const { return m_handle ? m_handle->origin() : QString(); }

    // The adapter's own handle type, or null for a handle of another adapter.
    template <typename Handle>
    Handle* handleAs() const
    {
        return dynamic_cast<Handle*>(m_handle.get());
    }

    friend bool operator==(const AXElement& a, const AXElement& b)
    {
        if (a.m_handle == b.m_handle)
            return true;
        return a.m_handle && b.m_handle && a.m_handle->sameElement(*b.m_handle);
    }

    friend std::size_t qHash(const AXElement& element, std::size_t salt = 0) noexcept
    {
        return element.m_handle ? element.m_handle->identityHash() ^ salt : salt;
    }

private:
    std::shared_ptr<AXElementHandle> m_handle;
};

} // namespace tavlen

template <>
struct std::hash<tavlen::AXElement> {
    std::size_t operator()(const tavlen::AXElement& element) const noexcept { return qHash(element); }
};
