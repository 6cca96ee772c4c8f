#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QHash>
#include <QObject>
#include <QTimer>

#include "core/controllers/controllercontrol.h"
#include "core/controllers/controllerdevice.h"
#include "core/controllers/evdevdecoder.h"

// Jog/shuttle wheels, dials, pedals and button boxes read through evdev: the controllers among
// the input devices of a folder (/dev/input), looked for again every second, so one plugged in
// is found within that. Each is grabbed while it is read (its wheel does not scroll the desktop
// too) and read as the kernel writes, in the event loop. A device unplugged is told as removed.
class EvdevControllers : public QObject {
    Q_OBJECT
public:
    static constexpr int scanIntervalMs = 1000;

    explicit EvdevControllers(QObject *parent = nullptr);
    ~EvdevControllers() override;

    // Looks for controllers in `folder` now and every second after; `sysfs` describes the
    // devices that cannot be opened (/sys/class/input).
    void start(const QString &folder = QStringLiteral("/dev/input"),
               const QString &sysfs = QStringLiteral("/sys/class/input"));
    // Closes every device without telling them removed.
    void stop();
    bool isStarted() const { return m_scan.isActive(); }
    // Devices another reader has (SDL's joysticks, by their node's path) are left to it.
    void setTaken(std::function<bool(const QString &path)> taken) { m_taken = std::move(taken); }
    // Reads the device's events from `fd` (a pipe in tests and benchmarks), which it owns and
    // closes; the device goes when the other end is closed.
    void attach(int fd, const ControllerDevice &device, const EvdevLayout &layout, const QString &instance);

    // The devices read now, and the connection each is.
    QList<QPair<ControllerDevice, QString>> devices() const;
    // Controllers found that cannot be read (their name and why), for the operator.
    QStringList unreadable() const { return m_unreadable.values(); }

signals:
    void deviceAdded(const ControllerDevice &device, const QString &instance);
    void deviceRemoved(const ControllerDevice &device, const QString &instance);
    void eventReceived(const ControllerEvent &event);

private:
    struct Reader;

    void scan();
    void openNode(const QString &path, const QString &identity);
    void add(std::unique_ptr<Reader> reader);
    void read(Reader *reader);
    void remove(const QString &instance);

    QTimer m_scan;
    QString m_folder;
    QString m_sysfs;
    std::function<bool(const QString &path)> m_taken;
    std::vector<std::unique_ptr<Reader>> m_readers;
    QHash<QString, QString> m_ignored;    // nodes that are no controllers: path to identity
    QHash<QString, QString> m_unreadable; // controllers' nodes that cannot be opened: path to why
};
