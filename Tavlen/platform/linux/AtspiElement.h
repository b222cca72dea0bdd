#pragma once

#include "platform/AXElement.h"
#include "platform/linux/AtspiObjectRef.h"

#include <QtGlobal>

namespace tavlen::linux_platform {

// An element handed out by the AT-SPI adapter: an accessible object, the application of a
// process (found on the bus when first used), or the stand-in for the system menu that a menu
// bar begins with on the Mac and that has no counterpart here.
class AtspiElement final : public AXElementHandle {
public:
    enum class Kind { Object, Application, SystemMenu };

    static std::shared_ptr<AtspiElement> object(AtspiObjectRef ref)
    {
        return std::shared_ptr<AtspiElement>(new AtspiElement(Kind::Object, std::move(ref), 0));
    }
    static std::shared_ptr<AtspiElement> application(qint64 processIdentifier)
    {
        return std::shared_ptr<AtspiElement>(new AtspiElement(Kind::Application, {}, processIdentifier));
    }
    // The stand-in belongs to the menu bar it is listed in.
    static std::shared_ptr<AtspiElement> systemMenu(AtspiObjectRef menuBar)
    {
        return std::shared_ptr<AtspiElement>(new AtspiElement(Kind::SystemMenu, std::move(menuBar), 0));
    }

    Kind kind() const { return m_kind; }
    // The object itself; for an application the root object once it has been found, for the
    // stand-in its menu bar.
    const AtspiObjectRef& ref() const { return m_ref; }
    qint64 processIdentifier() const { return m_processIdentifier; }

    void setResolvedApplication(AtspiObjectRef root) { m_ref = std::move(root); }

    bool sameElement(const AXElementHandle& other) const override
    {
        const auto* element = dynamic_cast<const AtspiElement*>(&other);
        if (!element || element->m_kind != m_kind)
            return false;
        if (m_kind == Kind::Application)
            return element->m_processIdentifier == m_processIdentifier;
        return element->m_ref == m_ref;
    }

    QString origin() const override { return m_ref.service; }

    std::size_t identityHash() const noexcept override
    {
        const std::size_t kind = static_cast<std::size_t>(m_kind);
        if (m_kind == Kind::Application)
            return qHash(m_processIdentifier, kind);
        return qHash(m_ref, kind);
    }

private:
    AtspiElement(Kind kind, AtspiObjectRef ref, qint64 processIdentifier)
        : m_kind(kind), m_ref(std::move(ref)), m_processIdentifier(processIdentifier)
    {}

    Kind m_kind;
    AtspiObjectRef m_ref;
    qint64 m_processIdentifier;
};

} // namespace tavlen::linux_platform
