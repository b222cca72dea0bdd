#pragma once

namespace tavlen {

// An sRGB colour at full opacity, as plain numbers so that models stay free of the GUI module;
// views turn it into their own colour type.
struct RgbColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;

    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// The two colours rows are drawn in besides the palette's own.
namespace Colours {
// Rows the user hid in this application.
inline constexpr RgbColour hiddenColour{0.09, 0.55, 0.72};
// Rows the user hid in every application.
inline constexpr RgbColour hiddenGloballyColour{0.961, 0.259, 0.259};
} // namespace Colours

} // namespace tavlen
