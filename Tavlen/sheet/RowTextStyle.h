#pragma once

#include "sheet/Colours.h"

#include <optional>

namespace tavlen {

// How the text of a sheet row (and a legend line) is coloured. Normal and Gray follow the
// platform's palette (its text colour, its gray), so they carry no colour of their own; Hidden
// and HiddenGlobally are Colours::hiddenColour and Colours::hiddenGloballyColour drawn at
// `opacity`.
struct RowTextStyle {
    enum class Kind { Normal, Gray, Hidden, HiddenGlobally };

    Kind kind = Kind::Normal;
    double opacity = 1.0;

    static constexpr RowTextStyle normal() { return {Kind::Normal, 1.0}; }
    static constexpr RowTextStyle gray() { return {Kind::Gray, 1.0}; }
    static constexpr RowTextStyle hidden(double opacity) { return {Kind::Hidden, opacity}; }
    static constexpr RowTextStyle hiddenGlobally(double opacity) { return {Kind::HiddenGlobally, opacity}; }

    // The fixed colour of Hidden and HiddenGlobally; none for the palette's colours.
    constexpr std::optional<RgbColour> colour() const
    {
        switch (kind) {
        case Kind::Hidden:
            return Colours::hiddenColour;
        case Kind::HiddenGlobally:
            return Colours::hiddenGloballyColour;
        case Kind::Normal:
        case Kind::Gray:
            break;
        }
        return std::nullopt;
    }

    friend bool operator==(const RowTextStyle&, const RowTextStyle&) = default;
};

} // namespace tavlen
