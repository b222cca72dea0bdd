#pragma once

#include <QObject>
#include <initializer_list>

class QSocketNotifier;

namespace tavlen::linux_platform {

// Turns Unix signals into a Qt signal on the main thread. A signal handler may do almost
// nothing safely, so the handler only writes the signal number into a pipe that the event loop
// watches. One watcher per process.
class UnixSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~UnixSignalWatcher() override;
    UnixSignalWatcher(const UnixSignalWatcher&) = delete;
    UnixSignalWatcher& operator=(const UnixSignalWatcher&) = delete;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
    QList<int> m_signals;
};

} // namespace tavlen::linux_platform
