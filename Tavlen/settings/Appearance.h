#pragma once

#include <QString>
#include <array>
#include <optional>

namespace tavlen {

// The colour scheme the panels use. Stored as its raw value; a stored string that is none of
// the raw values forces no scheme, just as `system` does.
enum class Appearance { system, light, dark };

// Every case, in the order the settings offer them.
inline constexpr std::array<Appearance, 3> allAppearances{Appearance::system, Appearance::light,
                                                          Appearance::dark};

inline QString appearanceRawValue(Appearance appearance)
{
    switch (appearance) {
    case Appearance::system:
        return QStringLiteral("system");
    case Appearance::light:
        return QStringLiteral("light");
    case Appearance::dark:
        return QStringLiteral("dark");
    }
    return {};
}

// Exact, case-sensitive match of a raw value; none for anything else.
inline std::optional<Appearance> appearanceFromRawValue(const QString& rawValue)
{
    for (const Appearance appearance : allAppearances) {
        if (appearanceRawValue(appearance) == rawValue)
            return appearance;
    }
    return std::nullopt;
}

} // namespace tavlen
