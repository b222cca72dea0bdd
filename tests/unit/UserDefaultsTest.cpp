#include "settings/UserDefaults.h"
#include "platform/fake/FakeUserDefaults.h"
#include "settings/PaneSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredValue.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

using tavlen::PaneSettings;
using tavlen::StoredValue;
using tavlen::UserDefaults;
using tavlen::fake::FakeUserDefaults;
namespace keys = tavlen::SettingsKeys;

namespace {

QVariant text(const char* value)
{
    return QVariant(QString::fromLatin1(value));
}

} // namespace

TEST(StoredValue, BooleansAreNativeOrTheTwoIniWords)
{
    EXPECT_EQ(StoredValue::toBool(QVariant(true)), true);
    EXPECT_EQ(StoredValue::toBool(QVariant(false)), false);
    EXPECT_EQ(StoredValue::toBool(text("true")), true);
    EXPECT_EQ(StoredValue::toBool(text("false")), false);
    for (const QVariant& wrong : {text("TRUE"), text("1"), text("yes"), text(""), QVariant(1), QVariant(0.0),
                                  QVariant(QStringList{QStringLiteral("true")}), QVariant()})
        EXPECT_FALSE(StoredValue::toBool(wrong).has_value()) << wrong.toString().toStdString();
}

TEST(StoredValue, IntegersAreWholeNumbersThatFitAnInt)
{
    EXPECT_EQ(StoredValue::toInt(QVariant(4)), 4);
    EXPECT_EQ(StoredValue::toInt(QVariant(qlonglong(-7))), -7);
    EXPECT_EQ(StoredValue::toInt(QVariant(quint32(9))), 9);
    EXPECT_EQ(StoredValue::toInt(text("4")), 4);
    EXPECT_EQ(StoredValue::toInt(text("-12")), -12);
    EXPECT_EQ(StoredValue::toInt(text("+3")), 3);
    EXPECT_EQ(StoredValue::toInt(text("2147483647")), std::numeric_limits<int>::max());
    for (const QVariant& wrong :
         {text("4.5"), text("4.0"), text("0x10"), text("abc"), text(""), text("-"), text("2147483648"),
          text(" 4"), text("99999999999999999999"), QVariant(4.0), QVariant(true),
          QVariant(qlonglong(1) << 40), QVariant(std::numeric_limits<qulonglong>::max()), QVariant()})
        EXPECT_FALSE(StoredValue::toInt(wrong).has_value()) << wrong.toString().toStdString();
}

TEST(StoredValue, DoublesAcceptAnyFiniteNumber)
{
    EXPECT_EQ(StoredValue::toDouble(QVariant(0.5)), 0.5);
    EXPECT_EQ(StoredValue::toDouble(QVariant(3)), 3.0);
    EXPECT_EQ(StoredValue::toDouble(QVariant(qlonglong(60))), 60.0);
    EXPECT_EQ(StoredValue::toDouble(QVariant(1.5f)), 1.5);
    EXPECT_EQ(StoredValue::toDouble(text("0.25")), 0.25);
    EXPECT_EQ(StoredValue::toDouble(text("13")), 13.0);
    EXPECT_EQ(StoredValue::toDouble(text("-1e2")), -100.0);
    for (const QVariant& wrong :
         {text("abc"), text(""), text("0,5"), text("1,000"), text("nan"), text("inf"),
          QVariant(std::numeric_limits<double>::quiet_NaN()),
          QVariant(std::numeric_limits<double>::infinity()), QVariant(true), QVariant()})
        EXPECT_FALSE(StoredValue::toDouble(wrong).has_value()) << wrong.toString().toStdString();
}

TEST(StoredValue, StringsAreStringsOnly)
{
    EXPECT_EQ(StoredValue::toString(text("dark")), QStringLiteral("dark"));
    EXPECT_EQ(StoredValue::toString(text("")), QString());
    EXPECT_FALSE(StoredValue::toString(QVariant(3)).has_value());
    EXPECT_FALSE(
        StoredValue::toString(QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")})).has_value());
    EXPECT_FALSE(StoredValue::toString(QVariant()).has_value());
}

class UserDefaultsBothForms : public ::testing::TestWithParam<FakeUserDefaults::Storage> {};

TEST_P(UserDefaultsBothForms, UnwrittenKeysReadAsTheDefaultsTheSettingsPanesShow)
{
    FakeUserDefaults store(GetParam());
    UserDefaults defaults(store);
    const PaneSettings pane(store);
    EXPECT_EQ(defaults.activationKeyType(), pane.activationKeyType());
    EXPECT_EQ(defaults.keyHoldingDelay(), pane.keyHoldingDelay());
    EXPECT_EQ(defaults.showPersistentWindowOnTheRight(), pane.showPersistentWindowOnTheRight());
    EXPECT_EQ(defaults.hideMenuIcon(), pane.hideMenuIcon());
    EXPECT_EQ(defaults.launchAtLogin(), pane.launchAtLogin());
    // No autostart entry is written for a user who never asked for one; three presses of
    // Command toggle the persistent panel, as the pane says.
    EXPECT_FALSE(defaults.launchAtLogin());
    EXPECT_EQ(defaults.activationPersistentKeyType(), 1);
    EXPECT_EQ(defaults.amountOfColumns(), 4);
    EXPECT_EQ(defaults.fontSize(), 13.0);
    EXPECT_EQ(defaults.limitTitles(), 45.0);
    EXPECT_TRUE(defaults.showAppIcon());
    EXPECT_TRUE(defaults.showCredits());
    EXPECT_TRUE(store.contents().isEmpty()) << "reading writes nothing";
}

TEST_P(UserDefaultsBothForms, WritesReadBackUnderTheirOwnKeys)
{
    FakeUserDefaults store(GetParam());
    UserDefaults defaults(store);
    defaults.setAmountOfColumns(3);
    defaults.setActivationKeyType(2);
    defaults.setActivationPersistentKeyType(1);
    defaults.setKeyHoldingDelay(0.25);
    defaults.setFontSize(15.5);
    defaults.setLimitTitles(60);
    defaults.setHideMenuIcon(true);
    defaults.setShowPersistentWindowOnTheRight(true);
    defaults.setShowLocalizedCustomShortcuts(true);
    defaults.setShowAppIcon(false);

    EXPECT_EQ(defaults.amountOfColumns(), 3);
    EXPECT_EQ(defaults.activationKeyType(), 2);
    EXPECT_EQ(defaults.activationPersistentKeyType(), 1);
    EXPECT_EQ(defaults.keyHoldingDelay(), 0.25);
    EXPECT_EQ(defaults.fontSize(), 15.5);
    EXPECT_EQ(defaults.limitTitles(), 60.0);
    EXPECT_TRUE(defaults.hideMenuIcon());
    EXPECT_TRUE(defaults.showPersistentWindowOnTheRight());
    EXPECT_TRUE(defaults.showLocalizedCustomShortcuts());
    EXPECT_FALSE(defaults.showAppIcon());
    EXPECT_FALSE(defaults.showBookmarks());

    EXPECT_TRUE(store.contents().contains(QStringLiteral("activationKeyType")));
    EXPECT_TRUE(store.contents().contains(QStringLiteral("showPersistentWindowOnTheRight")));
    EXPECT_TRUE(store.contents().contains(QStringLiteral("keyHoldingDelay")));
}

INSTANTIATE_TEST_SUITE_P(, UserDefaultsBothForms,
                         ::testing::Values(FakeUserDefaults::Storage::Native,
                                           FakeUserDefaults::Storage::Text),
                         [](const ::testing::TestParamInfo<FakeUserDefaults::Storage>& param) {
                             return param.param == FakeUserDefaults::Storage::Native ? "Native" : "Text";
                         });

TEST(UserDefaults, ValuesOfAnotherTypeReadAsTheDefaults)
{
    FakeUserDefaults store;
    UserDefaults defaults(store);
    store.simulateOutsideEdit(keys::hideMenuIcon, QStringLiteral("yes"));
    store.simulateOutsideEdit(keys::launchAtLogin, 1);
    store.simulateOutsideEdit(keys::amountOfColumns, 4.5);
    store.simulateOutsideEdit(keys::activationKeyType, QStringLiteral("two"));
    store.simulateOutsideEdit(keys::fontSize, QStringLiteral("large"));
    store.simulateOutsideEdit(keys::keyHoldingDelay, true);
    EXPECT_FALSE(defaults.hideMenuIcon());
    EXPECT_FALSE(defaults.launchAtLogin());
    EXPECT_EQ(defaults.amountOfColumns(), 4);
    EXPECT_EQ(defaults.activationKeyType(), 1);
    EXPECT_EQ(defaults.fontSize(), 13.0);
    EXPECT_EQ(defaults.keyHoldingDelay(), 0.5);

    // A double accepts an integer, stored natively or as text.
    store.simulateOutsideEdit(keys::limitTitles, 45);
    store.simulateOutsideEdit(keys::fontSize, QStringLiteral("12"));
    EXPECT_EQ(defaults.limitTitles(), 45.0);
    EXPECT_EQ(defaults.fontSize(), 12.0);
}

TEST(UserDefaults, EveryWriteIsAnnouncedWithItsKey)
{
    FakeUserDefaults store;
    UserDefaults defaults(store);
    QStringList announced;
    QObject::connect(&store, &FakeUserDefaults::valueChanged, [&](const QString& key) { announced << key; });

    defaults.setKeyHoldingDelay(0.5);
    defaults.setActivationKeyType(1);
    defaults.setActivationKeyType(1);
    defaults.setLaunchAtLogin(true);
    EXPECT_EQ(announced, (QStringList{QStringLiteral("keyHoldingDelay"), QStringLiteral("activationKeyType"),
                                      QStringLiteral("activationKeyType"), QStringLiteral("launchAtLogin")}));
}
