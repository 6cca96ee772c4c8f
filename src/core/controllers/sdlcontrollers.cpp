#include "core/controllers/sdlcontrollers.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include <SDL2/SDL.h>

#include <QFile>
#include <QSet>
#include <QSocketNotifier>

struct SdlControllers::Opened {
    ~Opened()
    {
        // Deleted from the event loop: a device is closed from inside its notifier's signal.
        if (wake) {
            wake->setEnabled(false);
            wake.release()->deleteLater();
        }
        if (wakeDescriptor >= 0)
            ::close(wakeDescriptor);
    }

    ControllerDevice device;
    QString instance;
    QString path;
    SDL_GameController *pad = nullptr; // a game pad, else
    SDL_Joystick *joystick = nullptr;  // any other joystick
    // The device's node opened beside SDL's reading of it: readable, it wakes the reading at
    // once instead of at the next look.
    int wakeDescriptor = -1;
    std::unique_ptr<QSocketNotifier> wake;
};

namespace {

constexpr double axisRange = 65535.0;
constexpr double triggerRange = 32767.0;

QString instanceName(int id)
{
    return QStringLiteral("sdl:%1").arg(id);
}

bool isTrigger(SDL_GameControllerAxis axis)
{
    return axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
}

// A stick's -32768..32767 as 0..1; a trigger rests at 0 and reads 0..32767.
double padAxisPosition(SDL_GameControllerAxis axis, int value)
{
    return isTrigger(axis) ? std::clamp(value / triggerRange, 0.0, 1.0) : (value + 32768) / axisRange;
}

double joystickAxisPosition(int value)
{
    return (value + 32768) / axisRange;
}

QString padButtonName(int button)
{
    return QString::fromLatin1(SDL_GameControllerGetStringForButton(SDL_GameControllerButton(button)));
}

QString padAxisName(int axis)
{
    return QString::fromLatin1(SDL_GameControllerGetStringForAxis(SDL_GameControllerAxis(axis)));
}

// A hat's four ways, each a button.
const std::pair<Uint8, const char *> hatWays[] = {
    {SDL_HAT_UP, "up"}, {SDL_HAT_RIGHT, "right"}, {SDL_HAT_DOWN, "down"}, {SDL_HAT_LEFT, "left"}};

// The instance id an event of a device is about; -1 for events of no device.
int eventDevice(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_JOYAXISMOTION:
        return event.jaxis.which;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        return event.jbutton.which;
    case SDL_JOYHATMOTION:
        return event.jhat.which;
    case SDL_JOYDEVICEREMOVED:
        return event.jdevice.which;
    case SDL_CONTROLLERAXISMOTION:
        return event.caxis.which;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        return event.cbutton.which;
    default:
        return -1;
    }
}

} // namespace

SdlControllers::SdlControllers(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SdlControllers::poll);
}

SdlControllers::~SdlControllers()
{
    stop();
}

bool SdlControllers::start()
{
    if (m_started)
        return true;
    // SDL must leave the program's signals alone (it ends on SIGTERM as Exit does), and read
    // pads without a window of its own that has the focus.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        m_error = QString::fromUtf8(SDL_GetError());
        return false;
    }
    m_error.clear();
    m_started = true;
    poll();
    return true;
}

void SdlControllers::stop()
{
    if (!m_started)
        return;
    m_timer.stop();
    while (!m_opened.empty())
        close(m_opened.begin()->first, false);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    m_started = false;
}

void SdlControllers::scheduleNext()
{
    if (m_started)
        m_timer.start(m_opened.empty() ? lookIntervalMs : readIntervalMs);
}

void SdlControllers::poll()
{
    if (!m_started)
        return;
    SDL_PumpEvents();
    QList<SDL_Event> events;
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1)
        events << event;
    // SDL recentres a device's axes and lets go of its buttons before it says the device went:
    // those events are not the operator's.
    QSet<int> gone;
    for (const SDL_Event &read : std::as_const(events))
        if (read.type == SDL_JOYDEVICEREMOVED)
            gone.insert(read.jdevice.which);
    for (const SDL_Event &read : std::as_const(events)) {
        // A slot may have stopped the reading.
        if (!m_started)
            return;
        const int id = eventDevice(read);
        if (read.type == SDL_JOYDEVICEADDED) {
            open(read.jdevice.which);
            continue;
        }
        if (read.type == SDL_JOYDEVICEREMOVED) {
            close(id, true);
            continue;
        }
        const auto found = m_opened.find(id);
        if (gone.contains(id) || found == m_opened.end())
            continue;
        const Opened *opened = found->second.get();
        ControllerEvent told{opened->device.key(), opened->instance, {}, 0, false};
        const bool pad = opened->pad != nullptr;
        switch (read.type) {
        case SDL_CONTROLLERAXISMOTION:
            if (!pad)
                continue;
            told.control = {ControllerControl::Kind::Axis, padAxisName(read.caxis.axis)};
            told.value = padAxisPosition(SDL_GameControllerAxis(read.caxis.axis), read.caxis.value);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (!pad)
                continue;
            told.control = {ControllerControl::Kind::Button, padButtonName(read.cbutton.button)};
            told.value = read.cbutton.state == SDL_PRESSED ? 1 : 0;
            break;
        case SDL_JOYAXISMOTION:
            if (pad)
                continue;
            told.control = {ControllerControl::Kind::Axis, QStringLiteral("axis%1").arg(read.jaxis.axis)};
            told.value = joystickAxisPosition(read.jaxis.value);
            break;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            if (pad)
                continue;
            told.control = {ControllerControl::Kind::Button,
                            QStringLiteral("button%1").arg(read.jbutton.button)};
            told.value = read.jbutton.state == SDL_PRESSED ? 1 : 0;
            break;
        case SDL_JOYHATMOTION:
            if (pad)
                continue;
            for (const auto &[mask, way] : hatWays) {
                told.control = {ControllerControl::Kind::Button,
                                QStringLiteral("hat%1-%2").arg(read.jhat.hat).arg(QLatin1String(way))};
                told.value = (read.jhat.value & mask) ? 1 : 0;
                emit eventReceived(told);
            }
            continue;
        default:
            continue;
        }
        emit eventReceived(told);
    }
    scheduleNext();
}

void SdlControllers::open(int index)
{
    Opened opened;
    if (SDL_IsGameController(index)) {
        opened.pad = SDL_GameControllerOpen(index);
        if (!opened.pad)
            return;
        opened.joystick = SDL_GameControllerGetJoystick(opened.pad);
        opened.device.kind = ControllerDevice::Kind::GamePad;
        opened.device.name = QString::fromUtf8(SDL_GameControllerName(opened.pad));
    } else {
        opened.joystick = SDL_JoystickOpen(index);
        if (!opened.joystick)
            return;
        opened.device.kind = ControllerDevice::Kind::Joystick;
        opened.device.name = QString::fromUtf8(SDL_JoystickName(opened.joystick));
    }
    opened.device.vendor = SDL_JoystickGetVendor(opened.joystick);
    opened.device.product = SDL_JoystickGetProduct(opened.joystick);
    opened.path = QString::fromUtf8(SDL_JoystickPathForIndex(index));
    const int id = SDL_JoystickInstanceID(opened.joystick);
    if (m_opened.count(id) != 0) {
        // Told twice: the first opening counts.
        if (opened.pad)
            SDL_GameControllerClose(opened.pad);
        else
            SDL_JoystickClose(opened.joystick);
        return;
    }
    opened.instance = instanceName(id);
    auto made = std::make_unique<Opened>();
    made->device = opened.device;
    made->instance = opened.instance;
    made->path = opened.path;
    made->pad = opened.pad;
    made->joystick = opened.joystick;
    watchNode(*made);
    const Opened *kept = m_opened.emplace(id, std::move(made)).first->second.get();

    // Where its controls stand now: the state it was found in sets nothing going.
    QList<ControllerEvent> initial;
    const auto add = [&](ControllerControl::Kind kind, const QString &code, double value) {
        initial << ControllerEvent{kept->device.key(), kept->instance, {kind, code}, value, true};
    };
    if (kept->pad) {
        for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
            if (SDL_GameControllerHasAxis(kept->pad, SDL_GameControllerAxis(axis)))
                add(ControllerControl::Kind::Axis, padAxisName(axis),
                    padAxisPosition(SDL_GameControllerAxis(axis),
                                    SDL_GameControllerGetAxis(kept->pad, SDL_GameControllerAxis(axis))));
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
            if (SDL_GameControllerHasButton(kept->pad, SDL_GameControllerButton(button)))
                add(ControllerControl::Kind::Button, padButtonName(button),
                    SDL_GameControllerGetButton(kept->pad, SDL_GameControllerButton(button)));
    } else {
        for (int axis = 0; axis < SDL_JoystickNumAxes(kept->joystick); ++axis)
            add(ControllerControl::Kind::Axis, QStringLiteral("axis%1").arg(axis),
                joystickAxisPosition(SDL_JoystickGetAxis(kept->joystick, axis)));
        for (int button = 0; button < SDL_JoystickNumButtons(kept->joystick); ++button)
            add(ControllerControl::Kind::Button, QStringLiteral("button%1").arg(button),
                SDL_JoystickGetButton(kept->joystick, button));
    }
    const ControllerDevice device = kept->device;
    emit deviceAdded(device, opened.instance);
    for (const ControllerEvent &event : std::as_const(initial)) {
        if (!m_started)
            return;
        emit eventReceived(event);
    }
}

void SdlControllers::watchNode(Opened &opened)
{
    if (opened.path.isEmpty())
        return;
    opened.wakeDescriptor =
        ::open(QFile::encodeName(opened.path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (opened.wakeDescriptor < 0)
        return;
    opened.wake = std::make_unique<QSocketNotifier>(opened.wakeDescriptor, QSocketNotifier::Read);
    QSocketNotifier *wake = opened.wake.get();
    const int descriptor = opened.wakeDescriptor;
    connect(wake, &QSocketNotifier::activated, this, [this, wake, descriptor] {
        // What SDL reads through its own descriptor is only a sign here: read and let go.
        char ignored[1024];
        ssize_t count = 0;
        while ((count = ::read(descriptor, ignored, sizeof ignored)) > 0) {
        }
        if (count == 0 || (errno != EAGAIN && errno != EINTR))
            wake->setEnabled(false);
        poll();
    });
}

void SdlControllers::close(int id, bool tell)
{
    const auto found = m_opened.find(id);
    if (found == m_opened.end())
        return;
    const std::unique_ptr<Opened> opened = std::move(found->second);
    m_opened.erase(found);
    if (opened->pad)
        SDL_GameControllerClose(opened->pad);
    else
        SDL_JoystickClose(opened->joystick);
    const ControllerDevice device = opened->device;
    const QString instance = opened->instance;
    if (tell)
        emit deviceRemoved(device, instance);
}

QList<QPair<ControllerDevice, QString>> SdlControllers::devices() const
{
    QList<QPair<ControllerDevice, QString>> devices;
    for (const auto &[id, opened] : m_opened)
        devices << qMakePair(opened->device, opened->instance);
    return devices;
}

bool SdlControllers::reads(const QString &path) const
{
    if (!m_started)
        return false;
    for (const auto &[id, opened] : m_opened)
        if (opened->path == path)
            return true;
    // A joystick SDL has found but not yet told of is SDL's too.
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (QString::fromUtf8(SDL_JoystickPathForIndex(index)) == path)
            return true;
    return false;
}
