#pragma once

#include <map>
#include <memory>

#include <QObject>
#include <QTimer>

#include "core/controllers/controllercontrol.h"
#include "core/controllers/controllerdevice.h"

// Game pads, joysticks, wheels and pedals read through SDL: a game pad its database knows
// (Xbox, PlayStation, Switch pads) with its buttons' and axes' names ("a", "lefty"), any other
// joystick by number ("button3", "axis0", "hat0-up"). SDL is asked at once when a device's node
// has something to read, every few milliseconds while a device is open, and every half second
// for devices plugged in. SDL's own recentring of a device
// that went is not passed on: an unplugged pad leaves the speed where it was. SDL's event queue
// is the process's: one reader at a time takes it.
class SdlControllers : public QObject {
    Q_OBJECT
public:
    static constexpr int readIntervalMs = 2;
    static constexpr int lookIntervalMs = 500;

    explicit SdlControllers(QObject *parent = nullptr);
    ~SdlControllers() override;

    // Starts SDL's game controller subsystem (no window and no video is needed); false with
    // errorString() when it cannot.
    bool start();
    // Closes every device without telling them removed, and stops SDL.
    void stop();
    bool isStarted() const { return m_started; }
    QString errorString() const { return m_error; }

    QList<QPair<ControllerDevice, QString>> devices() const;
    // Whether SDL reads the input device node at `path` (so evdev leaves it alone).
    bool reads(const QString &path) const;
    // Reads what SDL has now (the timer does it too).
    void poll();

signals:
    void deviceAdded(const ControllerDevice &device, const QString &instance);
    void deviceRemoved(const ControllerDevice &device, const QString &instance);
    void eventReceived(const ControllerEvent &event);

private:
    struct Opened;

    void open(int index);
    void watchNode(Opened &opened);
    void close(int id, bool tell);
    void scheduleNext();

    QTimer m_timer;
    bool m_started = false;
    QString m_error;
    std::map<int, std::unique_ptr<Opened>> m_opened; // by SDL's instance id
};
