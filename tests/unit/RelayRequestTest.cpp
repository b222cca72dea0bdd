#include "shared/RelayRequest.h"
#include "platform/linux/XpcNotificationObserver.h"

#include <gtest/gtest.h>

using tavlen::relayMethodName;
using tavlen::RelayRequest;
using tavlen::relayRequestFromArguments;
using tavlen::linux_platform::XpcNotificationObserver;

namespace {

QStringList args(std::initializer_list<const char*> options)
{
    QStringList list{QStringLiteral("/usr/bin/tavlen")};
    for (const char* option : options)
        list << QString::fromLatin1(option);
    return list;
}

} // namespace

TEST(RelayRequest, CommandLineChoosesTheRequestAndShowWins)
{
    EXPECT_EQ(relayRequestFromArguments(args({"--show-shortcuts"})), RelayRequest::ShowHotkeys);
    EXPECT_EQ(relayRequestFromArguments(args({"--toggle-persistent"})), RelayRequest::TogglePersistent);
    EXPECT_EQ(relayRequestFromArguments(args({"--toggle-persistent", "--show-shortcuts"})),
              RelayRequest::ShowHotkeys);
    EXPECT_EQ(relayRequestFromArguments(args({"-v", "--toggle-persistent"})), RelayRequest::TogglePersistent);
}

TEST(RelayRequest, OnlyExactArgumentsAfterTheProgramCount)
{
    EXPECT_EQ(relayRequestFromArguments(args({})), std::nullopt);
    EXPECT_EQ(relayRequestFromArguments({}), std::nullopt);
    EXPECT_EQ(
        relayRequestFromArguments(args({"--show-shortcuts=1", "-show-shortcuts", "--Toggle-Persistent"})),
        std::nullopt);
    // A program that happens to be called like the option is still the resident instance.
    EXPECT_EQ(relayRequestFromArguments({QStringLiteral("--show-shortcuts")}), std::nullopt);
}

TEST(RelayRequest, EachRequestHasItsOwnServiceMethod)
{
    EXPECT_EQ(relayMethodName(RelayRequest::ShowHotkeys), QStringLiteral("showHotkeys"));
    EXPECT_EQ(relayMethodName(RelayRequest::TogglePersistent), QStringLiteral("togglePersistent"));
}

TEST(XpcNotificationObserver, OnlyAStringMessageIsPassedOn)
{
    EXPECT_EQ(
        XpcNotificationObserver::messageFrom({{QStringLiteral("message"), QStringLiteral("showHotkeys")}}),
        QStringLiteral("showHotkeys"));
    // Unknown words are the controller's business, not the observer's.
    EXPECT_EQ(XpcNotificationObserver::messageFrom(
                  {{QStringLiteral("message"), QStringLiteral("other")}, {QStringLiteral("x"), 1}}),
              QStringLiteral("other"));
    EXPECT_EQ(XpcNotificationObserver::messageFrom({}), std::nullopt);
    EXPECT_EQ(XpcNotificationObserver::messageFrom({{QStringLiteral("message"), 5}}), std::nullopt);
    EXPECT_EQ(
        XpcNotificationObserver::messageFrom({{QStringLiteral("message"), QStringList{QStringLiteral("a")}}}),
        std::nullopt);
    EXPECT_EQ(
        XpcNotificationObserver::messageFrom({{QStringLiteral("Message"), QStringLiteral("showHotkeys")}}),
        std::nullopt);
}
