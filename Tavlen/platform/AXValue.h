#pragma once

#include "platform/AXElement.h"

#include <QString>
#include <QtGlobal>
#include <variant>
#include <vector>

namespace tavlen {

// The geometric and error values an accessibility adapter can hand over wrapped.
struct AXPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const AXPoint&, const AXPoint&) = default;
};

struct AXSize {
    double width = 0;
    double height = 0;
    friend bool operator==(const AXSize&, const AXSize&) = default;
};

struct AXRect {
    AXPoint origin;
    AXSize size;
    friend bool operator==(const AXRect&, const AXRect&) = default;
};

struct AXRange {
    qint64 location = 0;
    qint64 length = 0;
    friend bool operator==(const AXRange&, const AXRange&) = default;
};

struct AXErrorValue {
    qint32 code = 0;
    friend bool operator==(const AXErrorValue&, const AXErrorValue&) = default;
};

// The platform's numbering of wrapped-value kinds. Kinds from 6 on are not named here but are
// carried as they come.
enum class AXValueKind : quint32 {
    Illegal = 0,
    Point = 1,
    Size = 2,
    Rect = 3,
    Range = 4,
    Error = 5,
};

// A wrapped value: its kind, and what it holds. Kind and content are separate because an adapter
// may hand over a kind it could not fill (or a kind this model does not know); unpacking such a
// value fails and leaves the caller's zero value standing.
struct AXWrappedValue {
    using Content = std::variant<std::monostate, AXPoint, AXSize, AXRect, AXRange, AXErrorValue>;

    AXValueKind kind = AXValueKind::Illegal;
    Content content;

    // Copies the content into `out` when the value is of that kind and holds it; otherwise leaves
    // `out` as it was and answers false.
    template <typename T>
    bool unpack(AXValueKind expectedKind, T& out) const
    {
        if (kind != expectedKind)
            return false;
        const T* held = std::get_if<T>(&content);
        if (!held)
            return false;
        out = *held;
        return true;
    }

    friend bool operator==(const AXWrappedValue&, const AXWrappedValue&) = default;
};

// The value objects an accessibility adapter answers with, untyped, the way the platform hands
// them over.
class AXValue {
public:
    struct Null {
        friend bool operator==(const Null&, const Null&) = default;
    };
    struct Unsigned {
        quint64 value = 0;
        friend bool operator==(const Unsigned&, const Unsigned&) = default;
    };
    struct Signed {
        qint64 value = 0;
        friend bool operator==(const Signed&, const Signed&) = default;
    };
    struct Boolean {
        bool value = false;
        friend bool operator==(const Boolean&, const Boolean&) = default;
    };
    // Any other object; only its type name is kept, for diagnostics.
    struct Other {
        QString typeName;
        friend bool operator==(const Other&, const Other&) = default;
    };
    using Array = std::vector<AXValue>;
    using Storage =
        std::variant<Null, AXElement, AXWrappedValue, QString, Unsigned, Signed, Boolean, Array, Other>;

    // The null object.
    AXValue() = default;

    static AXValue null() { return AXValue(); }
    // A null handle is no element: it becomes the null object.
    static AXValue element(AXElement element)
    {
        return element.isNull() ? AXValue() : AXValue(Storage(std::move(element)));
    }
    static AXValue wrapped(AXWrappedValue value) { return AXValue(Storage(std::move(value))); }
    static AXValue wrapped(AXValueKind kind, AXWrappedValue::Content content = {})
    {
        return wrapped(AXWrappedValue{kind, std::move(content)});
    }
    static AXValue error(qint32 code) { return wrapped(AXValueKind::Error, AXErrorValue{code}); }
    static AXValue string(QString text) { return AXValue(Storage(std::move(text))); }
    static AXValue unsignedNumber(quint64 value) { return AXValue(Storage(Unsigned{value})); }
    static AXValue signedNumber(qint64 value) { return AXValue(Storage(Signed{value})); }
    static AXValue boolean(bool value) { return AXValue(Storage(Boolean{value})); }
    static AXValue array(Array items) { return AXValue(Storage(std::move(items))); }
    static AXValue other(QString typeName) { return AXValue(Storage(Other{std::move(typeName)})); }

    bool isNull() const { return std::holds_alternative<Null>(m_storage); }
    const Storage& storage() const { return m_storage; }

    // The held alternative, or null when the value is of another type.
    template <typename T>
    const T* get() const
    {
        return std::get_if<T>(&m_storage);
    }

    friend bool operator==(const AXValue& a, const AXValue& b) { return a.m_storage == b.m_storage; }

private:
    explicit AXValue(Storage storage) : m_storage(std::move(storage)) {}

    Storage m_storage;
};

} // namespace tavlen
