#pragma once

#include "settings/SliderScale.h"

#include <QList>
#include <QString>

namespace tavlen {

// One stop of a picker or slider: the value stored and the title shown for it.
struct ValueTitle {
    double value = 0;
    QString title;

    bool operator==(const ValueTitle&) const = default;
};

using ValueTitles = QList<ValueTitle>;

// The values the settings panes offer, with their titles, and the scales of their sliders.
class SettingsValueLists {
public:
    // Hold delays, in seconds, for "pressing the ⌘ key twice and hold" (activation type 1) and
    // for "pressing the ⌘ key and hold" (type 2): a single press needs a longer hold before it
    // can be told from the start of an ordinary shortcut.
    static const ValueTitles& valueTitlesKeyType1();
    static const ValueTitles& valueTitlesKeyType2();
    static const ValueTitles& availableFontSizes();
    // Slider positions 0 … 3 of the browser element limit, titled with the limit they set.
    static const ValueTitles& availableLimitValues();

    // The delay stops for an activation type: type 1's for 1, type 2's for anything else.
    static const ValueTitles& delayValueTitles(int activationKeyType);
    // 0.25 … 2.0 for type 1, 0.5 … 2.0 otherwise, in steps of 0.25.
    static SliderScale delayScale(int activationKeyType);
    static SliderScale fontSizeScale();
    // The title length limit, 13 … 45 characters.
    static SliderScale limitTitlesScale();
    static SliderScale limitElementsScale();

    // The browser element limit a slider position sets: 100, 200, 500 or 1000 for the
    // positions 0 … 3, and 100 for any other position.
    static int limitElementsForPosition(int position);
    // The position that shows a stored limit: the position of that limit, or of the nearest
    // one for a limit the slider does not offer (the lower one when two are equally near).
    static int positionForLimitElements(int limitElements);
};

} // namespace tavlen
