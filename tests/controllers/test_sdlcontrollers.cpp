#include <SDL2/SDL.h>

#include <QElapsedTimer>
#include <QSignalSpy>

#include "core/controllers/controllerremote.h"
#include "core/controllers/sdlcontrollers.h"
#include "remote/faketarget.h"
#include "testsupport/testmain.h"

// Game pads and joysticks through SDL, driven by SDL's virtual joysticks (no hardware, no
// display): a pad is found within two seconds of being plugged in and named by SDL's database,
// its stick and buttons drive the prompter unlearned, one unplugged leaves the speed where it
// was, another joystick is read by its controls' numbers once bound, and several drive at once.
class TestSdlControllers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aPadIsFoundWithinTwoSecondsAndNamed();
    void itsStickAndButtonsDriveThePrompterUnlearned();
    void aPadUnpluggedLeavesTheSpeed();
    void aJoystickIsReadByNumberOnceBound();
    void severalControllersDriveAtOnce();
    void stoppingLetsEveryDeviceGo();
};

namespace {

constexpr quint16 microsoft = 0x045e;
constexpr quint16 xbox360 = 0x028e;

// A virtual device plugged into SDL; unplugged when it goes.
class VirtualDevice {
public:
    VirtualDevice(SDL_JoystickType type, const char *name, int axes, int buttons, int hats,
                  quint16 vendor = microsoft, quint16 product = xbox360)
    {
        SDL_VirtualJoystickDesc description{};
        description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        description.type = Uint16(type);
        description.naxes = Uint16(axes);
        description.nbuttons = Uint16(buttons);
        description.nhats = Uint16(hats);
        description.vendor_id = vendor;
        description.product_id = product;
        description.name = name;
        const int index = SDL_JoystickAttachVirtualEx(&description);
        if (index >= 0) {
            m_handle = SDL_JoystickOpen(index);
            m_id = SDL_JoystickInstanceID(m_handle);
        }
    }
    ~VirtualDevice() { unplug(); }

    bool isPlugged() const { return m_handle != nullptr; }
    void setAxis(int axis, int value) { SDL_JoystickSetVirtualAxis(m_handle, axis, Sint16(value)); }
    void setButton(int button, bool pressed)
    {
        SDL_JoystickSetVirtualButton(m_handle, button, pressed ? 1 : 0);
    }
    void setHat(int hat, Uint8 value) { SDL_JoystickSetVirtualHat(m_handle, hat, value); }
    void unplug()
    {
        if (!m_handle)
            return;
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == m_id)
                SDL_JoystickDetachVirtual(index);
        SDL_JoystickClose(m_handle);
        m_handle = nullptr;
    }

private:
    SDL_Joystick *m_handle = nullptr;
    SDL_JoystickID m_id = -1;
};

VirtualDevice *gamePad(const char *name = "Virtual Pad", quint16 product = xbox360)
{
    return new VirtualDevice(SDL_JOYSTICK_TYPE_GAMECONTROLLER, name, SDL_CONTROLLER_AXIS_MAX,
                             SDL_CONTROLLER_BUTTON_MAX, 0, microsoft, product);
}

QList<RemoteAction> actions(const FakeTarget &target)
{
    QList<RemoteAction> done;
    for (const RemoteCommand &command : target.commands)
        done << command.action;
    return done;
}

ControllerSettings listening(const QMap<QString, QStringList> &devices = {})
{
    return ControllerSettings{true, devices};
}

} // namespace

void TestSdlControllers::initTestCase()
{
    // What the program does not ask for (a display, sound) stays off.
    qputenv("SDL_VIDEODRIVER", "dummy");
    SdlControllers probe;
    if (!probe.start())
        QFAIL(qPrintable(QStringLiteral("SDL's game controllers cannot start: %1").arg(probe.errorString())));
}

void TestSdlControllers::aPadIsFoundWithinTwoSecondsAndNamed()
{
    SdlControllers controllers;
    QSignalSpy added(&controllers, &SdlControllers::deviceAdded);
    QSignalSpy events(&controllers, &SdlControllers::eventReceived);
    QVERIFY(controllers.start());
    QElapsedTimer plugged;
    plugged.start();
    std::unique_ptr<VirtualDevice> pad(gamePad());
    QVERIFY(pad->isPlugged());
    // Found by the reader's own look for new devices, not by a test's nudge.
    QTRY_COMPARE_WITH_TIMEOUT(added.size(), 1, 2000);
    QVERIFY2(plugged.elapsed() < 2000, qPrintable(QString::number(plugged.elapsed())));
    const auto device = added.first().at(0).value<ControllerDevice>();
    QCOMPARE(device.kind, ControllerDevice::Kind::GamePad);
    QCOMPARE(device.name, QStringLiteral("Virtual Pad"));
    QCOMPARE(device.vendor, microsoft);
    QCOMPARE(device.product, xbox360);
    // Its state when found: every stick in its middle, the triggers at rest, nothing pressed.
    QHash<QString, double> found;
    for (const QList<QVariant> &event : std::as_const(events)) {
        const auto read = event.at(0).value<ControllerEvent>();
        QVERIFY(read.initial);
        found.insert(controllercontrolkey(read.control), read.value);
    }
    QVERIFY(qAbs(found.value(QStringLiteral("axis/lefty"), -1) - 0.5) < 0.001);
    QCOMPARE(found.value(QStringLiteral("axis/righttrigger"), -1), 0.0);
    QCOMPARE(found.value(QStringLiteral("button/a"), -1), 0.0);
    QCOMPARE(controllers.devices().size(), 1);

    events.clear();
    pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad->setButton(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    QTRY_COMPARE(events.size(), 2);
    const auto stick = events.at(0).at(0).value<ControllerEvent>();
    QCOMPARE(stick.control, (ControllerControl{ControllerControl::Kind::Axis, QStringLiteral("lefty")}));
    QCOMPARE(stick.value, 0.0);
    QVERIFY(!stick.initial);
    QCOMPARE(events.at(1).at(0).value<ControllerEvent>().control,
             (ControllerControl{ControllerControl::Kind::Button, QStringLiteral("dpup")}));
}

void TestSdlControllers::itsStickAndButtonsDriveThePrompterUnlearned()
{
    FakeTarget target;
    ControllerRemote remote(target);
    QVERIFY(remote.apply(listening()));
    std::unique_ptr<VirtualDevice> pad(gamePad());
    QTRY_COMPARE(remote.devices().size(), 1);
    QVERIFY(target.commands.isEmpty());
    // Pushed up: forward at full speed; back in the middle: stop.
    pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    QTRY_COMPARE(target.state.speed, 300);
    pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    QTRY_COMPARE(target.state.speed, 0);
    // Pulled back halfway: slowly backward (the stick's curve keeps fine speeds).
    pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, 16384);
    QTRY_VERIFY(target.state.speed < 0);
    QVERIFY(target.state.speed > -100);
    // A to pause, B to reverse: each press once.
    pad->setButton(SDL_CONTROLLER_BUTTON_A, true);
    QTRY_COMPARE(actions(target).count(RemoteAction::TogglePause), 1);
    pad->setButton(SDL_CONTROLLER_BUTTON_A, false);
    pad->setButton(SDL_CONTROLLER_BUTTON_B, true);
    QTRY_COMPARE(actions(target).count(RemoteAction::Reverse), 1);
    QCOMPARE(actions(target).count(RemoteAction::TogglePause), 1);
}

void TestSdlControllers::aPadUnpluggedLeavesTheSpeed()
{
    FakeTarget target;
    ControllerRemote remote(target);
    QSignalSpy notices(&remote, &ControllerRemote::notice);
    QVERIFY(remote.apply(listening()));
    std::unique_ptr<VirtualDevice> pad(gamePad("Studio Pad"));
    QTRY_COMPARE(remote.devices().size(), 1);
    QVERIFY(notices.last().at(0).toString().contains(QLatin1String("Studio Pad is connected")));
    pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    QTRY_COMPARE(target.state.speed, 300);
    const qsizetype sent = target.commands.size();
    // Unplugged with the stick pushed: SDL centres it as the pad goes, which is not the
    // operator's doing. The page runs on at 300, and the status line says so.
    pad->unplug();
    QTRY_VERIFY(remote.devices().isEmpty());
    QCOMPARE(target.commands.size(), sent);
    QCOMPARE(target.state.speed, 300);
    QCOMPARE(notices.last().at(0).toString(),
             QStringLiteral("Studio Pad was disconnected; the speed stays at 300."));
}

void TestSdlControllers::aJoystickIsReadByNumberOnceBound()
{
    FakeTarget target;
    ControllerRemote remote(target);
    QSignalSpy heard(&remote, &ControllerRemote::eventReceived);
    QVERIFY(remote.apply(listening()));
    std::unique_ptr<VirtualDevice> pedals(
        new VirtualDevice(SDL_JOYSTICK_TYPE_THROTTLE, "Foot Pedals", 1, 2, 1, 0x1234, 0x0042));
    QTRY_COMPARE(remote.devices().size(), 1);
    const ControllerDevice device = remote.devices().constFirst();
    QCOMPARE(device.kind, ControllerDevice::Kind::Joystick);
    // Unbound, it does nothing: a stray joystick must not drive the page.
    pedals->setAxis(0, 32767);
    pedals->setButton(1, true);
    pedals->setHat(0, SDL_HAT_UP);
    QTRY_VERIFY(heard.size() >= 7);
    QVERIFY(target.commands.isEmpty());
    QStringList controls;
    for (const QList<QVariant> &event : std::as_const(heard))
        if (!event.at(0).value<ControllerEvent>().initial)
            controls << controllercontrolkey(event.at(0).value<ControllerEvent>().control);
    QVERIFY2(controls.contains(QStringLiteral("axis/axis0")) &&
                 controls.contains(QStringLiteral("button/button1")) &&
                 controls.contains(QStringLiteral("button/hat0-up")),
             qPrintable(controls.join(QLatin1Char(' '))));

    // Bound (as learning would), the pedal is the speed from its rest at one end, the button
    // pauses and the hat's up goes to the previous marker.
    const qsizetype before = heard.size();
    pedals->setAxis(0, -32768);
    pedals->setButton(1, false);
    pedals->setHat(0, SDL_HAT_CENTERED);
    QTRY_VERIFY(heard.size() >= before + 6);
    QVERIFY(remote.apply(listening(
        {{device.key(),
          {QStringLiteral("axis/axis0=speed end-stop linear 5 200"), QStringLiteral("button/button1=pause"),
           QStringLiteral("button/hat0-up=previous-marker")}}})));
    QTest::qWait(50);
    QVERIFY(target.commands.isEmpty());
    pedals->setAxis(0, 32767);
    QTRY_COMPARE(target.state.speed, 200);
    pedals->setButton(1, true);
    pedals->setHat(0, SDL_HAT_UP | SDL_HAT_RIGHT);
    QTRY_COMPARE(actions(target), (QList<RemoteAction>{RemoteAction::SetSpeed, RemoteAction::Pause,
                                                       RemoteAction::PreviousMarker}));
}

void TestSdlControllers::severalControllersDriveAtOnce()
{
    FakeTarget target;
    ControllerRemote remote(target);
    QVERIFY(remote.apply(listening()));
    std::unique_ptr<VirtualDevice> first(gamePad("Pad One"));
    std::unique_ptr<VirtualDevice> second(gamePad("Pad Two", 0x02ea));
    QTRY_COMPARE(remote.devices().size(), 2);
    first->setAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    QTRY_COMPARE(target.state.speed, 300);
    // The other pad's stick takes over when it moves; the first's, held, sends nothing more.
    second->setAxis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    QTRY_COMPARE(target.state.speed, -300);
    second->setButton(SDL_CONTROLLER_BUTTON_Y, true);
    first->setButton(SDL_CONTROLLER_BUTTON_X, true);
    QTRY_VERIFY(actions(target).contains(RemoteAction::NextMarker) &&
                actions(target).contains(RemoteAction::PreviousMarker));
    QCOMPARE(target.state.speed, -300);
    // One unplugged, the other drives on.
    first.reset();
    QTRY_COMPARE(remote.devices().size(), 1);
    second->setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    QTRY_COMPARE(target.state.speed, 0);
}

void TestSdlControllers::stoppingLetsEveryDeviceGo()
{
    FakeTarget target;
    ControllerRemote remote(target);
    QSignalSpy notices(&remote, &ControllerRemote::notice);
    QVERIFY(remote.apply(listening()));
    std::unique_ptr<VirtualDevice> pad(gamePad());
    QTRY_COMPARE(remote.devices().size(), 1);
    QVERIFY(remote.status().contains(QLatin1String("Virtual Pad")));
    const qsizetype told = notices.size();
    // Listening switched off: no device is read, none is said to be unplugged.
    QVERIFY(remote.apply(ControllerSettings{false, {}}));
    QVERIFY(remote.devices().isEmpty());
    QVERIFY(!remote.isListening());
    QCOMPARE(notices.size(), told);
    QCOMPARE(remote.status(), QStringLiteral("Controllers are not listened to."));
    pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    QTest::qWait(100);
    QVERIFY(target.commands.isEmpty());
}

VANTELL_CORE_TEST_MAIN(TestSdlControllers)
#include "test_sdlcontrollers.moc"
