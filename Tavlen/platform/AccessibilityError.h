#pragma once

#include <QtGlobal>

namespace tavlen {

// The accessibility layer's result codes (the platform's AXError numbering, which the
// accessibility adapters answer in as well).
namespace AXErrorCode {
inline constexpr qint32 Success = 0;
inline constexpr qint32 Failure = -25200;
inline constexpr qint32 AttributeUnsupported = -25205;
inline constexpr qint32 NoValue = -25212;
} // namespace AXErrorCode

// A failed accessibility request.
struct AccessibilityError {
    qint32 axError = AXErrorCode::Failure;

    friend bool operator==(const AccessibilityError&, const AccessibilityError&) = default;
};

} // namespace tavlen
