#pragma once

#include "platform/KeyEventSource.h"
#include "platform/linux/RawKeyTranslator.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

class QSocketNotifier;

namespace tavlen::linux_platform {

// Every key pressed or released on the computer's keyboards, read from the kernel's input
// devices (/dev/input/event*) beside the display server, which keeps getting them: the one way
// to see keys typed into other applications under Wayland, where no protocol hands a client
// the keys of another. It needs the right to read the devices (the `input` group). Keyboards
// plugged in later are found through inotify on /dev/input. Devices are read by the Qt event
// loop; a device that goes away is dropped.
class EvdevKeyEventSource final : public KeyEventSource {
    Q_OBJECT
public:
    explicit EvdevKeyEventSource(QString inputFolder = QStringLiteral("/dev/input"),
                                 QObject* parent = nullptr);
    ~EvdevKeyEventSource() override;
    EvdevKeyEventSource(const EvdevKeyEventSource&) = delete;
    EvdevKeyEventSource& operator=(const EvdevKeyEventSource&) = delete;

    // Opens every keyboard that may be read and watches for new ones. False, and no events,
    // when not one keyboard could be opened.
    bool start();
    void stop();
    int keyboardCount() const { return static_cast<int>(m_devices.size()); }

    // Reads `struct input_event` records from `descriptor`, which this source then owns and
    // closes: a device opened elsewhere, or any stream of such records.
    void adopt(int descriptor, const QString& name);

private:
    struct Device;

    void openKeyboard(const QString& path);
    void readDevice(const QString& name);
    void readHotplug();
    void drop(const QString& name);

    QString m_inputFolder;
    QHash<QString, std::shared_ptr<Device>> m_devices;
    int m_inotify = -1;
    std::unique_ptr<QSocketNotifier> m_hotplug;
    RawKeyTranslator m_translator;
};

} // namespace tavlen::linux_platform
