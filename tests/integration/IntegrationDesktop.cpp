#include "IntegrationDesktop.h"

#include <memory>

namespace tavlen::test {
namespace {

struct State {
    std::unique_ptr<DesktopSession> session;
    QString skipReason;
    QString startError;
};

State& state()
{
    static State instance;
    return instance;
}

} // namespace

void IntegrationDesktop::start()
{
    State& s = state();
    s.skipReason = DesktopSession::unavailableReason();
    if (!s.skipReason.isEmpty())
        return;
    auto session = std::make_unique<DesktopSession>();
    QString error;
    if (!session->start(error)) {
        // A desktop that should work but does not is a failure, not a skip.
        s.startError = error;
        return;
    }
    s.session = std::move(session);
}

void IntegrationDesktop::stop()
{
    state().session.reset();
}

DesktopSession* IntegrationDesktop::session()
{
    return state().session.get();
}

QString IntegrationDesktop::skipReason()
{
    return state().skipReason;
}

} // namespace tavlen::test

namespace tavlen::test {

QString IntegrationDesktop::startError()
{
    return state().startError;
}

} // namespace tavlen::test
