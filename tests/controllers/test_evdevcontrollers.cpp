#include <cstring>

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <linux/input.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "core/controllers/controllerremote.h"
#include "core/controllers/evdevcontrollers.h"
#include "core/controllers/evdevdecoder.h"
#include "core/controllers/evdevprobe.h"
#include "remote/faketarget.h"
#include "testsupport/evdevrecording.h"
#include "testsupport/testmain.h"

// Jog/shuttle wheels, dials and pedals through evdev: the kernel's byte stream read into frames,
// recorded streams of a ShuttleXpress and of a pedal read as their controls, fed through a pipe
// into the prompter's controllers as a device would feed them, which input devices are taken
// for controllers, and the machine's own input devices where it has any.
class TestEvdevControllers : public QObject {
    Q_OBJECT
private slots:
    void framesAreReadFromBytesInAnyPieces();
    void aShuttleXpressRingAndDialAreRead();
    void theJogCountWrapsAndUnpluggingLetsGo();
    void aPedalIsReadFromItsRange();
    void onlyControllersAreTaken();
    void sysfsDescribesDevicesThatCannotBeOpened();
    void aRecordedShuttleDrivesThePrompterThroughAPipe();
    void anUnpluggedDeviceLeavesTheSpeed();
    void aFolderOfNodesIsWatched();
    void aShuttlePluggedInIsFoundWithinTwoSeconds();
    void thisMachinesInputDevices();
};

namespace {

QString recording(const char *name)
{
    return QStringLiteral(VANTELL_CONTROLLER_RECORDINGS "/") + QLatin1String(name);
}

QList<ControllerEvent> decodeAll(EvdevDecoder &decoder, const QList<InputFrame> &frames)
{
    QList<ControllerEvent> events;
    for (const InputFrame &frame : frames)
        events << decoder.decode(frame);
    return events;
}

// What the events say, one short text each: "BTN_6 1", "REL_WHEEL 0.571", "REL_DIAL +1".
QStringList described(const QList<ControllerEvent> &events)
{
    QStringList lines;
    for (const ControllerEvent &event : events) {
        switch (event.control.kind) {
        case ControllerControl::Kind::Button:
            lines << QStringLiteral("%1 %2").arg(event.control.code).arg(event.value);
            break;
        case ControllerControl::Kind::Axis:
            lines << QStringLiteral("%1 %2").arg(event.control.code).arg(event.value, 0, 'f', 3);
            break;
        case ControllerControl::Kind::Dial:
            lines << QStringLiteral("%1 %2%3")
                         .arg(event.control.code, event.value > 0 ? QStringLiteral("+") : QString())
                         .arg(event.value);
            break;
        }
    }
    return lines;
}

QSet<int> xpressButtons()
{
    return {BTN_4, BTN_5, BTN_6, BTN_7, BTN_8};
}

EvdevCapabilities capabilities(QSet<int> keys, QSet<int> relative, QSet<int> absolute = {},
                               QSet<int> properties = {})
{
    return EvdevCapabilities{std::move(keys), std::move(relative), std::move(absolute),
                             std::move(properties)};
}

ControllerDevice inputDevice(const char *name, quint16 vendor = 0x1234, quint16 product = 0x5678)
{
    return ControllerDevice{ControllerDevice::Kind::Input, QLatin1String(name), vendor, product};
}

// A pipe whose read end a controller reads as it would a device's node.
struct Pipe {
    Pipe() { QVERIFY(::pipe(ends) == 0); }
    ~Pipe()
    {
        closeWriting();
        ::close(ends[0]);
    }
    void write(const QByteArray &bytes) const
    {
        QCOMPARE(::write(ends[1], bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }
    void closeWriting()
    {
        if (ends[1] >= 0)
            ::close(ends[1]);
        ends[1] = -1;
    }
    int reading() const { return ends[0]; }

    int ends[2] = {-1, -1};
};

QList<RemoteAction> actions(const FakeTarget &target)
{
    QList<RemoteAction> done;
    for (const RemoteCommand &command : target.commands)
        done << command.action;
    return done;
}

} // namespace

void TestEvdevControllers::framesAreReadFromBytesInAnyPieces()
{
    const InputFrame press{{EV_KEY, BTN_6, 1}, {EV_REL, REL_DIAL, 17}};
    const InputFrame turn{{EV_REL, REL_WHEEL, 3}};
    // The kernel dropped events: what comes up to the next report is half a moment, not read.
    input_event dropped{};
    dropped.type = EV_SYN;
    dropped.code = SYN_DROPPED;
    const QByteArray bytes = evdevbytes(press) + evdevbytes(turn) +
                             QByteArray(reinterpret_cast<const char *>(&dropped), sizeof dropped) +
                             evdevbytes({{EV_REL, REL_WHEEL, 5}}) + evdevbytes(turn);

    for (const int piece : {1, 7, EvdevStream::recordSize(), 1000}) {
        EvdevStream stream;
        QList<InputFrame> frames;
        for (qsizetype offset = 0; offset < bytes.size(); offset += piece)
            frames << stream.append(bytes.mid(offset, piece));
        QCOMPARE(frames, (QList<InputFrame>{press, turn, turn}));
    }
    // Half a record waits for the rest.
    EvdevStream stream;
    QVERIFY(stream.append(evdevbytes(turn).left(EvdevStream::recordSize() + 3)).isEmpty());
    QCOMPARE(stream.append(evdevbytes(turn).mid(EvdevStream::recordSize() + 3)), QList<InputFrame>{turn});
}

void TestEvdevControllers::aShuttleXpressRingAndDialAreRead()
{
    EvdevDecoder decoder(shuttlexpress(), QStringLiteral("x"), EvdevLayout::shuttle(xpressButtons()));
    // Found: the ring in its middle, no button held.
    const QList<ControllerEvent> initial = decoder.initialEvents();
    QVERIFY(std::all_of(initial.cbegin(), initial.cend(),
                        [](const ControllerEvent &event) { return event.initial; }));
    QVERIFY(described(initial).contains(QStringLiteral("REL_WHEEL 0.500")));
    QVERIFY(described(initial).contains(QStringLiteral("BTN_6 0")));

    const QStringList read =
        described(decodeAll(decoder, readevdevrecording(recording("shuttlexpress.events"))));
    QCOMPARE(read, (QStringList{
                       QStringLiteral("BTN_6 1"),
                       QStringLiteral("BTN_6 0"),
                       QStringLiteral("REL_WHEEL 0.571"),
                       QStringLiteral("REL_WHEEL 0.643"),
                       QStringLiteral("REL_WHEEL 0.714"),
                       QStringLiteral("REL_WHEEL 1.000"),
                       // A report without the ring: it is back in its middle.
                       QStringLiteral("REL_WHEEL 0.500"),
                       QStringLiteral("REL_DIAL +1"),
                       QStringLiteral("REL_DIAL -1"),
                       QStringLiteral("REL_DIAL -1"),
                       QStringLiteral("REL_WHEEL 0.429"),
                       // Held where it was: no new position, only the button.
                       QStringLiteral("BTN_8 1"),
                   }));
}

void TestEvdevControllers::theJogCountWrapsAndUnpluggingLetsGo()
{
    EvdevDecoder decoder(shuttlexpress(), QStringLiteral("x"), EvdevLayout::shuttle(xpressButtons()));
    const QStringList read =
        described(decodeAll(decoder, readevdevrecording(recording("shuttlexpress-jog-wrap.events"))));
    QCOMPARE(read, (QStringList{
                       QStringLiteral("BTN_4 1"),
                       QStringLiteral("BTN_4 0"),
                       QStringLiteral("REL_DIAL +1"),
                       // 255 to 1 past a 0 the kernel never passed on: two steps on.
                       QStringLiteral("REL_DIAL +2"),
                       QStringLiteral("REL_DIAL -2"),
                       QStringLiteral("REL_WHEEL 0.786"),
                       QStringLiteral("BTN_5 1"),
                       // The kernel letting go of the button as the device goes is no report:
                       // the ring is not taken back to its middle.
                       QStringLiteral("BTN_5 0"),
                   }));
}

void TestEvdevControllers::aPedalIsReadFromItsRange()
{
    EvdevLayout layout;
    layout.absolute.insert(ABS_X, EvdevLayout::Range{0, 1023, 0});
    EvdevDecoder decoder(inputDevice("Foot Pedal"), QStringLiteral("p"), layout);
    QCOMPARE(described(decoder.initialEvents()), QStringList{QStringLiteral("ABS_X 0.000")});
    QCOMPARE(described(decodeAll(decoder, readevdevrecording(recording("pedal.events")))),
             (QStringList{QStringLiteral("ABS_X 0.008"), QStringLiteral("ABS_X 0.293"),
                          QStringLiteral("ABS_X 0.500"), QStringLiteral("ABS_X 1.000"),
                          QStringLiteral("ABS_X 0.000")}));
    // A hat is a button each way; a key's repeat is no press; a range of one value reads 0.
    layout.absolute.insert(ABS_HAT0Y, EvdevLayout::Range{-1, 1, 0});
    layout.absolute.insert(ABS_Z, EvdevLayout::Range{5, 5, 5});
    layout.keys = {BTN_0};
    EvdevDecoder more(inputDevice("Box"), QStringLiteral("b"), layout);
    QCOMPARE(described(more.decode({{EV_ABS, ABS_HAT0Y, -1}, {EV_KEY, BTN_0, 2}, {EV_ABS, ABS_Z, 9}})),
             (QStringList{QStringLiteral("ABS_HAT0Y- 1"), QStringLiteral("ABS_HAT0Y+ 0"),
                          QStringLiteral("ABS_Z 0.000")}));
}

void TestEvdevControllers::onlyControllersAreTaken()
{
    QSet<int> keyboardKeys;
    for (int key = KEY_ESC; key <= KEY_KPDOT; ++key)
        keyboardKeys.insert(key);
    // Controllers of the prompter's kind.
    QVERIFY(controllerlayout(shuttlexpress(),
                             capabilities(xpressButtons(), {REL_WHEEL, REL_DIAL, REL_WHEEL_HI_RES})));
    QVERIFY(controllerlayout(inputDevice("Griffin PowerMate"), capabilities({BTN_0}, {REL_DIAL})));
    QVERIFY(controllerlayout(inputDevice("Foot Pedal"), capabilities({}, {}, {ABS_X})));
    QVERIFY(controllerlayout(inputDevice("Button Box"), capabilities({BTN_0, BTN_1, BTN_2}, {})));
    // The shuttle's ring is a position and its dial a count; a dial of another device turns by steps.
    const std::optional<EvdevLayout> shuttle =
        controllerlayout(shuttlexpress(), capabilities(xpressButtons(), {REL_WHEEL, REL_DIAL}));
    QCOMPARE(shuttle->ring->code, REL_WHEEL);
    QCOMPARE(shuttle->jog->code, REL_DIAL);
    QVERIFY(!controllerlayout(inputDevice("Griffin PowerMate"), capabilities({BTN_0}, {REL_DIAL}))->jog);
    // Not the prompter's: keyboards, mice, touch pads and screens, motion sensors, the power
    // button, and joysticks and game pads (SDL's).
    QVERIFY(!controllerlayout(inputDevice("Keyboard"), capabilities(keyboardKeys, {})));
    QVERIFY(!controllerlayout(inputDevice("Keyboard Consumer Control"),
                              capabilities({KEY_VOLUMEUP, KEY_MUTE}, {REL_HWHEEL})));
    QVERIFY(!controllerlayout(inputDevice("Mouse"),
                              capabilities({BTN_LEFT, BTN_RIGHT}, {REL_X, REL_Y, REL_WHEEL})));
    QVERIFY(!controllerlayout(
        inputDevice("Touchpad"),
        capabilities({BTN_TOUCH, BTN_LEFT}, {}, {ABS_X, ABS_Y, ABS_MT_SLOT}, {INPUT_PROP_POINTER})));
    QVERIFY(!controllerlayout(inputDevice("Pad Motion Sensors"),
                              capabilities({}, {}, {ABS_X, ABS_RX}, {INPUT_PROP_ACCELEROMETER})));
    QVERIFY(!controllerlayout(inputDevice("Power Button"), capabilities({KEY_POWER}, {})));
    QVERIFY(!controllerlayout(inputDevice("Lid Switch"), capabilities({}, {})));
    QVERIFY(!controllerlayout(inputDevice("Xbox Controller"),
                              capabilities({BTN_SOUTH, BTN_EAST, BTN_MODE}, {}, {ABS_X, ABS_Y, ABS_RX})));
    QVERIFY(!controllerlayout(inputDevice("Flight Stick"),
                              capabilities({BTN_TRIGGER, BTN_THUMB}, {}, {ABS_X, ABS_Y})));
}

void TestEvdevControllers::sysfsDescribesDevicesThatCannotBeOpened()
{
    QTemporaryDir sysfs;
    const QString device = sysfs.filePath(QStringLiteral("event7/device"));
    QVERIFY(QDir().mkpath(device + QStringLiteral("/id")));
    QVERIFY(QDir().mkpath(device + QStringLiteral("/capabilities")));
    const auto write = [&device](const char *file, const char *text) {
        QFile out(device + QLatin1Char('/') + QLatin1String(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(text);
    };
    write("name", "Contour Design ShuttleXpress\n");
    write("id/vendor", "0b33\n");
    write("id/product", "0020\n");
    // BTN_4..BTN_8 are bits 260..264: the fifth long word, counted from the right.
    write("capabilities/key", sizeof(long) == 8 ? "1f0 0 0 0 0\n" : "1f0 0 0 0 0 0 0 0 0\n");
    write("capabilities/rel", "980\n"); // REL_WHEEL_HI_RES, REL_WHEEL, REL_DIAL
    write("capabilities/abs", "0\n");
    const std::optional<ControllerDevice> described = sysfsdevice(device);
    QCOMPARE(described, std::optional<ControllerDevice>(shuttlexpress()));
    const EvdevCapabilities read = sysfscapabilities(device);
    QCOMPARE(read.keys, xpressButtons());
    QCOMPARE(read.relative, (QSet<int>{REL_DIAL, REL_WHEEL, REL_WHEEL_HI_RES}));
    QVERIFY(read.absolute.isEmpty());
    QVERIFY(!sysfsdevice(sysfs.filePath(QStringLiteral("event8/device"))));
    // A mask that is no mask says nothing.
    write("capabilities/key", "zz 0\n");
    QVERIFY(sysfscapabilities(device).keys.isEmpty());
}

void TestEvdevControllers::aRecordedShuttleDrivesThePrompterThroughAPipe()
{
    FakeTarget target;
    ControllerRemote remote(target);
    QSignalSpy notices(&remote, &ControllerRemote::notice);
    Pipe pipe;
    remote.evdev().attach(::dup(pipe.reading()), shuttlexpress(), EvdevLayout::shuttle(xpressButtons()),
                          QStringLiteral("pipe:xpress"));
    QCOMPARE(remote.devices(), QList<ControllerDevice>{shuttlexpress()});
    QVERIFY(notices.last().at(0).toString().contains(QLatin1String("ShuttleXpress is connected")));
    pipe.write(evdevrecordingbytes(readevdevrecording(recording("shuttlexpress.events"))));
    QTRY_COMPARE(target.commands.size(), 11);
    // Unlearned, as its defaults say: the middle button pauses, the ring is the speed (faster
    // with each step, the middle stop, counter-clockwise back), the dial nudges by lines, the
    // last button loads the next script.
    QCOMPARE(actions(target),
             (QList<RemoteAction>{RemoteAction::TogglePause, RemoteAction::SetSpeed, RemoteAction::SetSpeed,
                                  RemoteAction::SetSpeed, RemoteAction::SetSpeed, RemoteAction::SetSpeed,
                                  RemoteAction::JumpLines, RemoteAction::JumpLines, RemoteAction::JumpLines,
                                  RemoteAction::SetSpeed, RemoteAction::NextScript}));
    QList<int> values;
    for (const RemoteCommand &command : target.commands)
        values << command.value;
    QVERIFY2(0 < values[1] && values[1] < values[2] && values[2] < values[3] && values[3] < values[4],
             qPrintable(
                 QStringLiteral("%1 %2 %3 %4").arg(values[1]).arg(values[2]).arg(values[3]).arg(values[4])));
    QCOMPARE(values[4], 300);
    QCOMPARE(values[5], 0);
    QCOMPARE(values.mid(6, 3), (QList<int>{1, -1, -1}));
    QCOMPARE(values[9], -values[1]);
}

void TestEvdevControllers::anUnpluggedDeviceLeavesTheSpeed()
{
    FakeTarget target;
    ControllerRemote remote(target);
    QSignalSpy removed(&remote.evdev(), &EvdevControllers::deviceRemoved);
    QSignalSpy notices(&remote, &ControllerRemote::notice);
    Pipe pipe;
    remote.evdev().attach(::dup(pipe.reading()), shuttlexpress(), EvdevLayout::shuttle(xpressButtons()),
                          QStringLiteral("pipe:xpress"));
    pipe.write(evdevrecordingbytes(readevdevrecording(recording("shuttlexpress-jog-wrap.events"))));
    // The first button, the dial three times, the ring held at 4, the second button.
    QTRY_COMPARE(target.commands.size(), 6);
    QCOMPARE(target.commands.at(4).action, RemoteAction::SetSpeed);
    QVERIFY(target.state.speed > 0);
    const qsizetype sent = target.commands.size();
    // The device goes (its end of the pipe closes, as a node gives ENODEV).
    pipe.closeWriting();
    QTRY_COMPARE(removed.size(), 1);
    QCOMPARE(removed.first().at(1).toString(), QStringLiteral("pipe:xpress"));
    // Nothing more was sent: the page runs on at the speed the ring gave it, and the operator
    // is told so on the status line.
    QCOMPARE(target.commands.size(), sent);
    QVERIFY(remote.devices().isEmpty());
    const QString told = notices.last().at(0).toString();
    QVERIFY2(told.contains(QLatin1String("ShuttleXpress was disconnected")) &&
                 told.contains(QStringLiteral("speed stays at %1").arg(target.state.speed)),
             qPrintable(told));
}

void TestEvdevControllers::aFolderOfNodesIsWatched()
{
    // What is no input device (a FIFO stands in for a node) is looked at and left alone.
    QTemporaryDir folder;
    const QString node = folder.filePath(QStringLiteral("event3"));
    QVERIFY(::mkfifo(QFile::encodeName(node).constData(), 0600) == 0);
    EvdevControllers controllers;
    QSignalSpy added(&controllers, &EvdevControllers::deviceAdded);
    controllers.start(folder.path(), folder.filePath(QStringLiteral("sys")));
    QVERIFY(controllers.isStarted());
    QVERIFY(controllers.devices().isEmpty());
    QVERIFY(controllers.unreadable().isEmpty());
    QVERIFY(added.isEmpty());
    controllers.stop();
    QVERIFY(!controllers.isStarted());
    // A folder that is not there (a machine without input devices) is no failure either.
    controllers.start(folder.filePath(QStringLiteral("missing")));
    QVERIFY(controllers.devices().isEmpty());
}

void TestEvdevControllers::aShuttlePluggedInIsFoundWithinTwoSeconds()
{
    if (!QFile::exists(QStringLiteral("/dev/uinput")))
        QSKIP("this machine has no /dev/uinput: no input device can be plugged in by a test");
    // A ShuttleXpress as the kernel makes it from its USB descriptors, plugged in through uinput.
    libevdev *description = libevdev_new();
    libevdev_set_name(description, "Contour Design ShuttleXpress");
    libevdev_set_id_bustype(description, BUS_USB);
    libevdev_set_id_vendor(description, shuttlexpress().vendor);
    libevdev_set_id_product(description, shuttlexpress().product);
    libevdev_enable_event_type(description, EV_REL);
    for (const unsigned int code : {REL_WHEEL, REL_DIAL})
        libevdev_enable_event_code(description, EV_REL, code, nullptr);
    libevdev_enable_event_type(description, EV_KEY);
    for (const int key : xpressButtons())
        libevdev_enable_event_code(description, EV_KEY, uint(key), nullptr);

    FakeTarget target;
    ControllerRemote remote(target);
    remote.apply(ControllerSettings{true, {}});
    QElapsedTimer plugged;
    plugged.start();
    libevdev_uinput *device = nullptr;
    const int made = libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &device);
    libevdev_free(description);
    if (made < 0)
        QSKIP(qPrintable(QStringLiteral("no input device can be made here: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(-made)))));
    const auto found = [&remote] { return remote.devices().contains(shuttlexpress()); };
    QTRY_VERIFY_WITH_TIMEOUT(found(), 2000);
    QVERIFY(plugged.elapsed() < 2000);
    // The ring turned to its end: full speed forward.
    libevdev_uinput_write_event(device, EV_REL, REL_WHEEL, 7);
    libevdev_uinput_write_event(device, EV_REL, REL_DIAL, 17);
    libevdev_uinput_write_event(device, EV_SYN, SYN_REPORT, 0);
    QTRY_COMPARE(target.state.speed, 300);
    // Unplugged: found gone within two seconds, the page running on.
    const qsizetype sent = target.commands.size();
    libevdev_uinput_destroy(device);
    QTRY_VERIFY_WITH_TIMEOUT(!found(), 2000);
    QCOMPARE(target.commands.size(), sent);
}

void TestEvdevControllers::thisMachinesInputDevices()
{
    if (!QDir(QStringLiteral("/dev/input")).exists() ||
        QDir(QStringLiteral("/dev/input")).entryList({QStringLiteral("event*")}, QDir::System).isEmpty())
        QSKIP("this machine has no input devices (/dev/input/event*): no device can be probed");
    EvdevControllers controllers;
    controllers.start();
    // Whatever is found is a controller with a name; keyboards and mice are never taken.
    for (const auto &[device, instance] : controllers.devices()) {
        QVERIFY(!device.name.isEmpty());
        QVERIFY(instance.startsWith(QLatin1String("/dev/input/event")));
        qInfo("found %s at %s", qPrintable(device.name), qPrintable(instance));
    }
    for (const QString &why : controllers.unreadable())
        qInfo("%s", qPrintable(why));
    controllers.stop();
    QVERIFY(controllers.devices().isEmpty());
}

VANTELL_CORE_TEST_MAIN(TestEvdevControllers)
#include "test_evdevcontrollers.moc"
