#include "core/controllers/evdevcontrollers.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include "core/controllers/evdevprobe.h"
#include "core/controllers/evdevstream.h"
#include "core/platform/translation.h"
#include "stringtable.h"

struct EvdevControllers::Reader {
    Reader(int descriptor, const ControllerDevice &device, const QString &instance, const EvdevLayout &layout)
        : fd(descriptor), device(device), instance(instance), decoder(device, instance, layout)
    {
    }
    ~Reader()
    {
        // The notifier goes before its descriptor is closed.
        notifier.reset();
        if (handle) {
            libevdev_grab(handle, LIBEVDEV_UNGRAB);
            libevdev_free(handle);
        }
        ::close(fd);
    }

    int fd;
    ControllerDevice device;
    QString instance; // the node's path, or what attach() named it
    QString identity; // the node as it was when opened: a node made anew is another device
    libevdev *handle = nullptr;
    EvdevStream stream;
    EvdevDecoder decoder;
    std::unique_ptr<QSocketNotifier> notifier;
};

namespace {

// A node's path with its inode and device number: unplugged and plugged again, a device gets a
// node made anew under a path that may be the same.
QString nodeIdentity(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(qulonglong(status.st_ino)).arg(qulonglong(status.st_rdev));
}

} // namespace

EvdevControllers::EvdevControllers(QObject *parent) : QObject(parent)
{
    m_scan.setInterval(scanIntervalMs);
    connect(&m_scan, &QTimer::timeout, this, &EvdevControllers::scan);
}

EvdevControllers::~EvdevControllers() = default;

void EvdevControllers::start(const QString &folder, const QString &sysfs)
{
    m_folder = folder;
    m_sysfs = sysfs;
    m_scan.start();
    scan();
}

void EvdevControllers::stop()
{
    m_scan.stop();
    m_readers.clear();
    m_ignored.clear();
    m_unreadable.clear();
}

void EvdevControllers::scan()
{
    // Device nodes are neither files nor folders to QDir: system entries.
    QHash<QString, QString> present;
    for (const QString &node :
         QDir(m_folder).entryList({QStringLiteral("event*")}, QDir::System, QDir::Name)) {
        const QString path = m_folder + QLatin1Char('/') + node;
        present.insert(path, nodeIdentity(path));
    }
    // Nodes gone, or made anew for another device, are looked at afresh.
    m_ignored.removeIf([&present](const auto &entry) { return present.value(entry.key()) != entry.value(); });
    m_unreadable.removeIf([&present](const auto &entry) { return !present.contains(entry.key()); });
    QStringList gone;
    for (const std::unique_ptr<Reader> &reader : m_readers)
        if (!reader->identity.isEmpty() && present.value(reader->instance) != reader->identity)
            gone << reader->instance;
    for (const QString &instance : gone)
        remove(instance);
    for (auto node = present.cbegin(); node != present.cend(); ++node) {
        const bool open = std::any_of(m_readers.cbegin(), m_readers.cend(),
                                      [&node](const auto &reader) { return reader->instance == node.key(); });
        if (!open && !m_ignored.contains(node.key()) && !(m_taken && m_taken(node.key())))
            openNode(node.key(), node.value());
    }
}

void EvdevControllers::openNode(const QString &path, const QString &identity)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        // Said only of controllers: keyboards and mice are no business of the prompter's.
        const QString sysfs =
            m_sysfs + QLatin1Char('/') + QFileInfo(path).fileName() + QStringLiteral("/device");
        const std::optional<ControllerDevice> described = sysfsdevice(sysfs);
        if (described && controllerlayout(*described, sysfscapabilities(sysfs)))
            m_unreadable.insert(path, i18n(str::ControllerUnreadable).arg(described->name, why));
        else
            m_ignored.insert(path, identity);
        return;
    }
    m_unreadable.remove(path);
    libevdev *handle = nullptr;
    std::optional<EvdevProbe> probe;
    if (libevdev_new_from_fd(fd, &handle) == 0)
        probe = probeevdev(handle);
    if (!probe) {
        if (handle)
            libevdev_free(handle);
        ::close(fd);
        m_ignored.insert(path, identity);
        return;
    }
    // Grabbed, its wheel and keys act on the prompter alone. A device another program holds
    // already cannot be grabbed, and tells nothing until that program lets go of it.
    libevdev_grab(handle, LIBEVDEV_GRAB);
    auto reader = std::make_unique<Reader>(fd, probe->device, path, probe->layout);
    reader->handle = handle;
    reader->identity = identity;
    add(std::move(reader));
}

void EvdevControllers::attach(int fd, const ControllerDevice &device, const EvdevLayout &layout,
                              const QString &instance)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    add(std::make_unique<Reader>(fd, device, instance, layout));
}

void EvdevControllers::add(std::unique_ptr<Reader> reader)
{
    Reader *added = reader.get();
    added->notifier = std::make_unique<QSocketNotifier>(added->fd, QSocketNotifier::Read);
    connect(added->notifier.get(), &QSocketNotifier::activated, this, [this, added] { read(added); });
    m_readers.push_back(std::move(reader));
    const QString instance = added->instance;
    emit deviceAdded(added->device, instance);
    // The slots may have stopped reading meanwhile.
    const QList<ControllerEvent> initial = added->decoder.initialEvents();
    for (const ControllerEvent &event : initial)
        emit eventReceived(event);
}

void EvdevControllers::read(Reader *reader)
{
    QList<ControllerEvent> events;
    bool ended = false;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(reader->fd, buffer, sizeof buffer);
        if (count > 0) {
            for (const InputFrame &frame : reader->stream.append(QByteArray(buffer, count)))
                events << reader->decoder.decode(frame);
            continue;
        }
        // The other end closed, or the device went (ENODEV); nothing more to read is EAGAIN.
        ended = count == 0 || (errno != EAGAIN && errno != EINTR);
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    const QString instance = reader->instance;
    if (ended)
        reader->notifier->setEnabled(false);
    for (const ControllerEvent &event : std::as_const(events))
        emit eventReceived(event);
    if (ended)
        remove(instance);
}

void EvdevControllers::remove(const QString &instance)
{
    const auto found = std::find_if(m_readers.begin(), m_readers.end(),
                                    [&instance](const auto &reader) { return reader->instance == instance; });
    if (found == m_readers.end())
        return;
    const ControllerDevice device = (*found)->device;
    // Deleted from the event loop: this may run inside its notifier's signal.
    std::unique_ptr<Reader> reader = std::move(*found);
    m_readers.erase(found);
    reader->notifier->setEnabled(false);
    reader->notifier.release()->deleteLater();
    emit deviceRemoved(device, instance);
}

QList<QPair<ControllerDevice, QString>> EvdevControllers::devices() const
{
    QList<QPair<ControllerDevice, QString>> devices;
    for (const std::unique_ptr<Reader> &reader : m_readers)
        devices << qMakePair(reader->device, reader->instance);
    return devices;
}
