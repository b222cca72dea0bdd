#include "settings/SettingsValueLists.h"

#include <cstdlib>
#include <limits>

namespace tavlen {

namespace {

constexpr double delayStep = 0.25;
constexpr double longestDelay = 2.0;
constexpr double shortestDelayType1 = 0.25;
constexpr double shortestDelayType2 = 0.5;
constexpr int limitsOffered[] = {100, 200, 500, 1000};

} // namespace

const ValueTitles& SettingsValueLists::valueTitlesKeyType1()
{
    static const ValueTitles titles{
        {0.25, QStringLiteral("¼")},  {0.5, QStringLiteral("½")},   {0.75, QStringLiteral("¾")},
        {1.0, QStringLiteral("1")},   {1.25, QStringLiteral("1¼")}, {1.5, QStringLiteral("1½")},
        {1.75, QStringLiteral("1¾")}, {2.0, QStringLiteral("2")},
    };
    return titles;
}

const ValueTitles& SettingsValueLists::valueTitlesKeyType2()
{
    static const ValueTitles titles{
        {0.5, QStringLiteral("½")},   {0.75, QStringLiteral("¾")}, {1.0, QStringLiteral("1")},
        {1.25, QStringLiteral("1¼")}, {1.5, QStringLiteral("1½")}, {1.75, QStringLiteral("1¾")},
        {2.0, QStringLiteral("2")},
    };
    return titles;
}

const ValueTitles& SettingsValueLists::availableFontSizes()
{
    static const ValueTitles titles{
        {10, QStringLiteral("10")}, {13, QStringLiteral("13")}, {16, QStringLiteral("16")},
        {19, QStringLiteral("19")}, {22, QStringLiteral("22")},
    };
    return titles;
}

const ValueTitles& SettingsValueLists::availableLimitValues()
{
    static const ValueTitles titles{
        {0, QStringLiteral("100")},
        {1, QStringLiteral("200")},
        {2, QStringLiteral("500")},
        {3, QStringLiteral("1k")},
    };
    return titles;
}

const ValueTitles& SettingsValueLists::delayValueTitles(int activationKeyType)
{
    return activationKeyType == 1 ? valueTitlesKeyType1() : valueTitlesKeyType2();
}

SliderScale SettingsValueLists::delayScale(int activationKeyType)
{
    return {activationKeyType == 1 ? shortestDelayType1 : shortestDelayType2, longestDelay, delayStep};
}

SliderScale SettingsValueLists::fontSizeScale()
{
    return {10, 22, 1};
}

SliderScale SettingsValueLists::limitTitlesScale()
{
    return {13, 45, 1};
}

SliderScale SettingsValueLists::limitElementsScale()
{
    return {0, 3, 1};
}

int SettingsValueLists::limitElementsForPosition(int position)
{
    if (position < 0 || position >= static_cast<int>(std::size(limitsOffered)))
        return limitsOffered[0];
    return limitsOffered[position];
}

int SettingsValueLists::positionForLimitElements(int limitElements)
{
    int nearest = 0;
    long long nearestDistance = std::numeric_limits<long long>::max();
    for (int position = 0; position < static_cast<int>(std::size(limitsOffered)); ++position) {
        const long long distance =
            std::llabs(static_cast<long long>(limitElements) - limitsOffered[position]);
        if (distance < nearestDistance) {
            nearest = position;
            nearestDistance = distance;
        }
    }
    return nearest;
}

} // namespace tavlen
