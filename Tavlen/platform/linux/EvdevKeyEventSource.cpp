#include "platform/linux/EvdevKeyEventSource.h"

#include "platform/linux/MacKeyCodes.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tavlen::linux_platform {

namespace {

constexpr int keyBitBytes = KEY_MAX / 8 + 1;

bool hasBit(const std::array<unsigned char, keyBitBytes>& bits, int bit)
{
    return (bits[static_cast<std::size_t>(bit / 8)] >> (bit % 8)) & 1;
}

// Mice, power buttons and lid switches report keys too; a keyboard has letters and the
// modifier keys the gestures use.
bool isKeyboard(int descriptor)
{
    std::array<unsigned char, keyBitBytes> keys{};
    if (ioctl(descriptor, EVIOCGBIT(EV_KEY, static_cast<int>(keys.size())), keys.data()) < 0)
        return false;
    return hasBit(keys, KEY_A) && hasBit(keys, KEY_Z) && hasBit(keys, KEY_LEFTMETA) &&
           hasBit(keys, KEY_LEFTCTRL);
}

} // namespace

struct EvdevKeyEventSource::Device {
    int descriptor = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    // The start of a record a read cut off.
    QByteArray pending;

    ~Device()
    {
        notifier.reset();
        if (descriptor >= 0)
            ::close(descriptor);
    }
};

EvdevKeyEventSource::EvdevKeyEventSource(QString inputFolder, QObject* parent)
    : KeyEventSource(parent), m_inputFolder(std::move(inputFolder))
{}

EvdevKeyEventSource::~EvdevKeyEventSource()
{
    stop();
}

bool EvdevKeyEventSource::start()
{
    const QStringList nodes = QDir(m_inputFolder).entryList({QStringLiteral("event*")}, QDir::System);
    for (const QString& node : nodes)
        openKeyboard(QDir(m_inputFolder).filePath(node));
    if (m_devices.isEmpty())
        return false;
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // A new node belongs to root until udev hands it to the input group: its change of
    // attributes is when it can be opened.
    if (m_inotify >= 0 && inotify_add_watch(m_inotify, QFile::encodeName(m_inputFolder).constData(),
                                            IN_CREATE | IN_ATTRIB) >= 0) {
        m_hotplug = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
        connect(m_hotplug.get(), &QSocketNotifier::activated, this, &EvdevKeyEventSource::readHotplug);
    }
    return true;
}

void EvdevKeyEventSource::stop()
{
    m_hotplug.reset();
    if (m_inotify >= 0)
        ::close(m_inotify);
    m_inotify = -1;
    m_devices.clear();
    m_translator.reset();
}

void EvdevKeyEventSource::openKeyboard(const QString& path)
{
    if (m_devices.contains(path))
        return;
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return;
    if (!isKeyboard(descriptor)) {
        ::close(descriptor);
        return;
    }
    adopt(descriptor, path);
}

void EvdevKeyEventSource::adopt(int descriptor, const QString& name)
{
    // Reads go on until the device has nothing more: they must not wait for the next key.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) | O_NONBLOCK);
    auto device = std::make_shared<Device>();
    device->descriptor = descriptor;
    device->notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    connect(device->notifier.get(), &QSocketNotifier::activated, this, [this, name] { readDevice(name); });
    m_devices.insert(name, std::move(device));
}

void EvdevKeyEventSource::readDevice(const QString& name)
{
    // Handlers may stop the source: the device is kept alive through this read.
    const std::shared_ptr<Device> device = m_devices.value(name);
    if (!device)
        return;
    std::array<char, 64 * sizeof(input_event)> buffer{};
    for (;;) {
        const ssize_t count = ::read(device->descriptor, buffer.data(), buffer.size());
        if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR)) {
            // Unplugged (ENODEV), or the other end of a stream closed.
            drop(name);
            return;
        }
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        device->pending.append(buffer.data(), count);
        qsizetype offset = 0;
        for (; offset + static_cast<qsizetype>(sizeof(input_event)) <= device->pending.size();
             offset += sizeof(input_event)) {
            input_event record{};
            std::memcpy(&record, device->pending.constData() + offset, sizeof(record));
            // 0 release, 1 press, 2 the key repeating while held: the first press is the one
            // that counts.
            if (record.type != EV_KEY || record.value == 2)
                continue;
            const std::optional<KeyEvent> event =
                m_translator.translate(MacKeyCodes::macFromEvdev(record.code), record.value == 1);
            if (event)
                Q_EMIT keyEvent(*event);
            if (!m_devices.contains(name))
                return;
        }
        device->pending.remove(0, offset);
    }
}

void EvdevKeyEventSource::readHotplug()
{
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t count = ::read(m_inotify, buffer.data(), buffer.size());
        if (count <= 0)
            return;
        for (ssize_t offset = 0; offset < count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
            const QString node = event->len ? QFile::decodeName(event->name) : QString();
            if (node.startsWith(QLatin1String("event")))
                openKeyboard(QDir(m_inputFolder).filePath(node));
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

void EvdevKeyEventSource::drop(const QString& name)
{
    m_devices.remove(name);
}

} // namespace tavlen::linux_platform
