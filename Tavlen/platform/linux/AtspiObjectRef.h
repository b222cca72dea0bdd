#pragma once

#include <QHashFunctions>
#include <QString>

namespace tavlen::linux_platform {

// An accessible object on the accessibility bus: the bus name of the application that owns it
// and its object path there.
struct AtspiObjectRef {
    QString service;
    QString path;

    bool isNull() const { return service.isEmpty() || path.isEmpty(); }

    friend bool operator==(const AtspiObjectRef&, const AtspiObjectRef&) = default;
    friend size_t qHash(const AtspiObjectRef& ref, size_t salt = 0) noexcept
    {
        return qHashMulti(salt, ref.service, ref.path);
    }
};

} // namespace tavlen::linux_platform
