#pragma once

namespace tavlen {

// The stops of a slider over a range of setting values: `minimum`, `minimum + step`, … up to
// `maximum`. A slider widget works in whole positions 0 … positionCount() - 1; this turns a
// position into the value it stands for and back.
struct SliderScale {
    double minimum = 0;
    double maximum = 0;
    double step = 1;

    // At least 1, so that even a scale whose range is empty or inverted has a position.
    int positionCount() const;
    // The value of a position; positions outside the scale are clamped to its ends.
    double value(int position) const;
    // The position whose value is nearest to `value` (clamped to the ends; a value that is not
    // a number sits at the first position). Half-way values go to the higher position.
    int position(double value) const;

    bool operator==(const SliderScale&) const = default;
};

} // namespace tavlen
