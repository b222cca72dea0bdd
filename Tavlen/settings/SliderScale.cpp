#include "settings/SliderScale.h"

#include <algorithm>
#include <cmath>

namespace tavlen {

int SliderScale::positionCount() const
{
    if (!(step > 0) || !(maximum > minimum))
        return 1;
    // A small tolerance, so that 0.25 … 2.0 in steps of 0.25 has its last stop despite rounding.
    return static_cast<int>(std::floor((maximum - minimum) / step + 1e-9)) + 1;
}

double SliderScale::value(int position) const
{
    const int clamped = std::clamp(position, 0, positionCount() - 1);
    return minimum + clamped * step;
}

int SliderScale::position(double value) const
{
    const int last = positionCount() - 1;
    if (std::isnan(value) || last == 0 || value <= minimum)
        return 0;
    if (value >= maximum)
        return last;
    return std::clamp(static_cast<int>(std::floor((value - minimum) / step + 0.5)), 0, last);
}

} // namespace tavlen
