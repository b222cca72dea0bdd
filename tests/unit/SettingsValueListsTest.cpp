#include "settings/SettingsValueLists.h"
#include "settings/SliderScale.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace tavlen;

namespace {

QList<double> valuesOf(const ValueTitles& list)
{
    QList<double> values;
    for (const ValueTitle& entry : list)
        values << entry.value;
    return values;
}

QStringList titlesOf(const ValueTitles& list)
{
    QStringList titles;
    for (const ValueTitle& entry : list)
        titles << entry.title;
    return titles;
}

// Every stop of a scale, as the slider offers them.
QList<double> stopsOf(const SliderScale& scale)
{
    QList<double> stops;
    for (int position = 0; position < scale.positionCount(); ++position)
        stops << scale.value(position);
    return stops;
}

} // namespace

TEST(SettingsValueListsTest, ValueListsHoldTheOfferedValuesWithTheirTitles)
{
    EXPECT_EQ(valuesOf(SettingsValueLists::valueTitlesKeyType1()),
              (QList<double>{0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0}));
    EXPECT_EQ(titlesOf(SettingsValueLists::valueTitlesKeyType1()),
              (QStringList{"¼", "½", "¾", "1", "1¼", "1½", "1¾", "2"}));
    EXPECT_EQ(valuesOf(SettingsValueLists::valueTitlesKeyType2()),
              (QList<double>{0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0}));
    EXPECT_EQ(titlesOf(SettingsValueLists::valueTitlesKeyType2()),
              (QStringList{"½", "¾", "1", "1¼", "1½", "1¾", "2"}));
    EXPECT_EQ(valuesOf(SettingsValueLists::availableFontSizes()), (QList<double>{10, 13, 16, 19, 22}));
    EXPECT_EQ(titlesOf(SettingsValueLists::availableFontSizes()),
              (QStringList{"10", "13", "16", "19", "22"}));
    EXPECT_EQ(valuesOf(SettingsValueLists::availableLimitValues()), (QList<double>{0, 1, 2, 3}));
    EXPECT_EQ(titlesOf(SettingsValueLists::availableLimitValues()), (QStringList{"100", "200", "500", "1k"}));
}

TEST(SettingsValueListsTest, DelayStopsFollowTheActivationType)
{
    // Type 1 starts at a quarter second; every other type, the corrupt ones included, at half.
    EXPECT_EQ(stopsOf(SettingsValueLists::delayScale(1)),
              valuesOf(SettingsValueLists::valueTitlesKeyType1()));
    EXPECT_EQ(SettingsValueLists::delayValueTitles(1), SettingsValueLists::valueTitlesKeyType1());
    for (const int type : {2, 0, -1, 7}) {
        EXPECT_EQ(stopsOf(SettingsValueLists::delayScale(type)),
                  valuesOf(SettingsValueLists::valueTitlesKeyType2()))
            << type;
        EXPECT_EQ(SettingsValueLists::delayValueTitles(type), SettingsValueLists::valueTitlesKeyType2())
            << type;
    }
    // Every titled stop is a stop of its slider: no title without a place to stand.
    for (const int type : {1, 2}) {
        const SliderScale scale = SettingsValueLists::delayScale(type);
        for (const ValueTitle& tick : SettingsValueLists::delayValueTitles(type))
            EXPECT_DOUBLE_EQ(scale.value(scale.position(tick.value)), tick.value);
    }
    const SliderScale fonts = SettingsValueLists::fontSizeScale();
    EXPECT_EQ(fonts.positionCount(), 13);
    for (const ValueTitle& tick : SettingsValueLists::availableFontSizes())
        EXPECT_DOUBLE_EQ(fonts.value(fonts.position(tick.value)), tick.value);
    EXPECT_EQ(SettingsValueLists::limitTitlesScale().positionCount(), 33);
}

TEST(SettingsValueListsTest, LimitPositionsStoreTheirLimitAndStoredLimitsFindTheirPosition)
{
    EXPECT_EQ(SettingsValueLists::limitElementsForPosition(0), 100);
    EXPECT_EQ(SettingsValueLists::limitElementsForPosition(1), 200);
    EXPECT_EQ(SettingsValueLists::limitElementsForPosition(2), 500);
    EXPECT_EQ(SettingsValueLists::limitElementsForPosition(3), 1000);
    EXPECT_EQ(SettingsValueLists::limitElementsForPosition(4), 100);
    EXPECT_EQ(SettingsValueLists::limitElementsForPosition(-1), 100);

    for (int position = 0; position < 4; ++position) {
        EXPECT_EQ(SettingsValueLists::positionForLimitElements(
                      SettingsValueLists::limitElementsForPosition(position)),
                  position);
    }
    // A limit the slider does not offer shows as the nearest one.
    EXPECT_EQ(SettingsValueLists::positionForLimitElements(300), 1);
    EXPECT_EQ(SettingsValueLists::positionForLimitElements(360), 2);
    EXPECT_EQ(SettingsValueLists::positionForLimitElements(150), 0); // equally near: the lower
    EXPECT_EQ(SettingsValueLists::positionForLimitElements(0), 0);
    EXPECT_EQ(SettingsValueLists::positionForLimitElements(-5), 0);
    EXPECT_EQ(SettingsValueLists::positionForLimitElements(std::numeric_limits<int>::max()), 3);
    EXPECT_EQ(SettingsValueLists::positionForLimitElements(std::numeric_limits<int>::min()), 0);
}

TEST(SliderScaleTest, ValuesAndPositionsMapBothWaysAndClampAtTheEnds)
{
    const SliderScale delay{0.25, 2.0, 0.25};
    EXPECT_EQ(delay.positionCount(), 8);
    for (int position = 0; position < delay.positionCount(); ++position)
        EXPECT_EQ(delay.position(delay.value(position)), position);
    EXPECT_DOUBLE_EQ(delay.value(-3), 0.25);
    EXPECT_DOUBLE_EQ(delay.value(99), 2.0);
    // Off-grid values go to the nearest stop, the middle upwards.
    EXPECT_EQ(delay.position(0.3), 0);
    EXPECT_EQ(delay.position(0.375), 1);
    EXPECT_EQ(delay.position(0.0), 0);
    EXPECT_EQ(delay.position(5.0), 7);
    EXPECT_EQ(delay.position(std::nan("")), 0);
    EXPECT_EQ(delay.position(std::numeric_limits<double>::infinity()), 7);
    EXPECT_EQ(delay.position(-std::numeric_limits<double>::infinity()), 0);

    // A range that is empty or a step that is not positive still has its one stop.
    for (const SliderScale degenerate :
         {SliderScale{2, 2, 1}, SliderScale{3, 1, 1}, SliderScale{0, 3, 0}, SliderScale{0, 3, -1}}) {
        EXPECT_EQ(degenerate.positionCount(), 1);
        EXPECT_EQ(degenerate.position(2.5), 0);
        EXPECT_DOUBLE_EQ(degenerate.value(4), degenerate.minimum);
    }
}
