#include <QSettings>
#include <QTemporaryDir>

#include "core/controllers/axisresponse.h"
#include "core/controllers/controllearner.h"
#include "core/controllers/controllerbindings.h"
#include "core/controllers/controllerdefaults.h"
#include "core/controllers/controllerdrive.h"
#include "core/controllers/controllermap.h"
#include "core/settings/controllersettings.h"
#include "testsupport/testmain.h"

// The rules of hand controllers, without a device: how an axis's position becomes a speed, how
// controls and devices are kept in the settings, what a game pad and a ShuttleXpress do unbound,
// and how events become commands as a prompter's controller drives it.
class TestControllerRules : public QObject {
    Q_OBJECT
private slots:
    void centredAxesRunBothWays();
    void endStopAxesRunForward();
    void curvesShapeTheTravel();
    void responsesAreKeptAsText();
    void controlsAndDevicesAreKeptByName();
    void bindingsTakeOnlyWhatTheirControlCanDo();
    void defaultsDriveAPadAndAShuttle();
    void theOperatorsBindingsComeBeforeTheDefaults();
    void settingsKeepEveryDeviceAndNoJunk();
    void pluggingInSetsNothingGoing();
    void anAxisSendsASpeedOnlyWhenItChanges();
    void pressesActOnceAndAxesActPastHalfway();
    void dialsJumpByLines();
    void learningWaitsForAClearMove();
};

namespace {

ControllerControl axis(const char *code)
{
    return {ControllerControl::Kind::Axis, QLatin1String(code)};
}

ControllerControl button(const char *code)
{
    return {ControllerControl::Kind::Button, QLatin1String(code)};
}

ControllerControl dial(const char *code)
{
    return {ControllerControl::Kind::Dial, QLatin1String(code)};
}

ControllerEvent happened(const ControllerControl &control, double value, bool initial = false,
                         const char *instance = "pad1")
{
    return ControllerEvent{QStringLiteral("pad/045e:028e/Pad"), QLatin1String(instance), control, value,
                           initial};
}

AxisResponse response(AxisResponse::Mode mode, AxisResponse::Curve curve, int deadZone, int top,
                      bool reversed = false)
{
    AxisResponse made;
    made.mode = mode;
    made.curve = curve;
    made.deadZone = deadZone;
    made.topSpeed = top;
    made.reversed = reversed;
    return made;
}

ControllerBinding speedBinding(const ControllerControl &control, const AxisResponse &axis)
{
    ControllerBinding binding;
    binding.control = control;
    binding.command = QStringLiteral("speed");
    binding.axis = axis;
    return binding;
}

ControllerBinding commandBinding(const ControllerControl &control, const char *command)
{
    ControllerBinding binding;
    binding.control = control;
    binding.command = QLatin1String(command);
    return binding;
}

} // namespace

void TestControllerRules::centredAxesRunBothWays()
{
    const AxisResponse wheel = response(AxisResponse::Mode::CentreStop, AxisResponse::Curve::Linear, 10, 300);
    QCOMPARE(axisspeed(0.5, wheel), 0);
    // Within the dead zone on either side: stop.
    QCOMPARE(axisspeed(0.549, wheel), 0);
    QCOMPARE(axisspeed(0.451, wheel), 0);
    // Just past it the page moves, however slowly; at the ends, the top speed either way.
    QCOMPARE(axisspeed(0.56, wheel), 7);
    QCOMPARE(axisspeed(1.0, wheel), 300);
    QCOMPARE(axisspeed(0.0, wheel), -300);
    QCOMPARE(axisspeed(0.775, wheel), 150);
    QCOMPARE(axisspeed(0.225, wheel), -150);
    // Reversed, the sides swap.
    QCOMPARE(
        axisspeed(1.0, response(AxisResponse::Mode::CentreStop, AxisResponse::Curve::Linear, 10, 300, true)),
        -300);
    // A top speed caps the travel's end; readings beyond the axis's range, or none, are held.
    QCOMPARE(axisspeed(1.0, response(AxisResponse::Mode::CentreStop, AxisResponse::Curve::Linear, 0, 120)),
             120);
    QCOMPARE(axisspeed(7.5, wheel), 300);
    QCOMPARE(axisspeed(-3, wheel), -300);
    QCOMPARE(axisspeed(std::nan(""), wheel), 0);
}

void TestControllerRules::endStopAxesRunForward()
{
    const AxisResponse pedal = response(AxisResponse::Mode::EndStop, AxisResponse::Curve::Linear, 5, 300);
    QCOMPARE(axisspeed(0.0, pedal), 0);
    QCOMPARE(axisspeed(0.05, pedal), 0);
    QCOMPARE(axisspeed(1.0, pedal), 300);
    QCOMPARE(axisspeed(0.525, pedal), 150);
    // Its stop at the top of its range: a pedal that reads highest at rest.
    const AxisResponse upside =
        response(AxisResponse::Mode::EndStop, AxisResponse::Curve::Linear, 5, 300, true);
    QCOMPARE(axisspeed(1.0, upside), 0);
    QCOMPARE(axisspeed(0.0, upside), 300);
    // Never backward.
    for (double position = 0; position <= 1.0; position += 0.05)
        QVERIFY(axisspeed(position, pedal) >= 0);
    // Not a number: stop, not the travel's end.
    QCOMPARE(axisspeed(std::nan(""), pedal), 0);
}

void TestControllerRules::curvesShapeTheTravel()
{
    const AxisResponse linear = response(AxisResponse::Mode::EndStop, AxisResponse::Curve::Linear, 0, 300);
    const AxisResponse exponential =
        response(AxisResponse::Mode::EndStop, AxisResponse::Curve::Exponential, 0, 300);
    // Both reach the top at the end and grow all the way; the exponential curve keeps the first
    // half of the travel for slow speeds.
    QCOMPARE(axisspeed(1.0, exponential), 300);
    QVERIFY(axisspeed(0.5, exponential) < 70);
    QVERIFY(axisspeed(0.5, exponential) > 30);
    int previous = 0;
    for (int step = 1; step <= 100; ++step) {
        const int speed = axisspeed(step / 100.0, exponential);
        QVERIFY2(speed >= previous, qPrintable(QString::number(step)));
        QVERIFY(speed <= axisspeed(step / 100.0, linear));
        previous = speed;
    }
}

void TestControllerRules::responsesAreKeptAsText()
{
    const AxisResponse stick =
        response(AxisResponse::Mode::CentreStop, AxisResponse::Curve::Exponential, 15, 250, true);
    QCOMPARE(stick.text(), QStringLiteral("centre-stop exponential 15 250 reversed"));
    QCOMPARE(AxisResponse::fromText(stick.text()), std::optional<AxisResponse>(stick));
    const AxisResponse pedal = response(AxisResponse::Mode::EndStop, AxisResponse::Curve::Linear, 0, 10);
    QCOMPARE(AxisResponse::fromText(pedal.text()), std::optional<AxisResponse>(pedal));
    for (const char *wrong : {"", "centre-stop", "centre-stop linear 10", "middle linear 10 300",
                              "end-stop cubic 10 300", "end-stop linear 51 300", "end-stop linear -1 300",
                              "end-stop linear 10 301", "end-stop linear 10 9", "end-stop linear x 300",
                              "end-stop linear 10 300 backwards", "end-stop linear 10 300 reversed reversed"})
        QVERIFY2(!AxisResponse::fromText(QLatin1String(wrong)), wrong);
}

void TestControllerRules::controlsAndDevicesAreKeptByName()
{
    for (const ControllerControl &control :
         {axis("lefty"), button("BTN_4"), dial("REL_DIAL"), button("hat0-up"), button("ABS_HAT0X+")})
        QCOMPARE(controllercontrolfromkey(controllercontrolkey(control)),
                 std::optional<ControllerControl>(control));
    QCOMPARE(controllercontrolkey(axis("lefty")), QStringLiteral("axis/lefty"));
    for (const char *wrong : {"", "axis", "axis/", "knob/x", "button/a=b", "button/a b", "button/a/b"})
        QVERIFY2(!controllercontrolfromkey(QLatin1String(wrong)), wrong);
    QCOMPARE(controllercontrolname(dial("REL_DIAL")), QStringLiteral("Dial REL_DIAL"));

    const ControllerDevice pad{ControllerDevice::Kind::GamePad, QStringLiteral("Pad / Type=A"), 0x045e,
                               0x028e};
    QCOMPARE(pad.key(), QStringLiteral("pad/045e:028e/Pad / Type=A"));
    QCOMPARE(ControllerDevice::fromKey(pad.key()), std::optional<ControllerDevice>(pad));
    QCOMPARE(ControllerDevice::fromKey(shuttlexpress().key()),
             std::optional<ControllerDevice>(shuttlexpress()));
    QCOMPARE(ControllerDevice::fromKey(anygamepad().key()), std::optional<ControllerDevice>(anygamepad()));
    for (const char *wrong :
         {"", "pad", "pad/045e:028e", "mouse/045e:028e/M", "pad/45e:028e/P", "pad/045e/P", "pad/zzzz:028e/P"})
        QVERIFY2(!ControllerDevice::fromKey(QLatin1String(wrong)), wrong);
}

void TestControllerRules::bindingsTakeOnlyWhatTheirControlCanDo()
{
    ControllerBindings bindings;
    QVERIFY(bindings.bind(commandBinding(button("a"), "toggle-pause")));
    QVERIFY(bindings.bind(commandBinding(button("b"), "blackout")));
    QVERIFY(bindings.bind(commandBinding(axis("lefttrigger"), "pause")));
    // A button has no position for a speed; a dial only jumps; texts and exact numbers are the
    // control API's.
    QVERIFY(!bindings.bind(commandBinding(button("x"), "speed")));
    QVERIFY(!bindings.bind(commandBinding(dial("REL_DIAL"), "pause")));
    QVERIFY(!bindings.bind(commandBinding(button("y"), "script")));
    QVERIFY(!bindings.bind(commandBinding(button("y"), "talent-message")));
    QVERIFY(!bindings.bind(commandBinding(button("y"), "explode")));
    // Bound again, a control does the new thing only.
    QVERIFY(bindings.bind(commandBinding(button("a"), "reset")));
    QCOMPARE(bindings.bindings().size(), 3);
    QCOMPARE(bindings.bindingFor(button("a"))->command, QStringLiteral("reset"));

    ControllerBinding jog = commandBinding(dial("REL_DIAL"), "jump-lines");
    jog.lines = 3;
    const ControllerBinding stick = speedBinding(
        axis("lefty"), response(AxisResponse::Mode::CentreStop, AxisResponse::Curve::Linear, 10, 300, true));
    for (const ControllerBinding &binding : {jog, stick, commandBinding(button("a"), "mirror")})
        QCOMPARE(ControllerBinding::fromEntry(binding.entry()), std::optional<ControllerBinding>(binding));
    QCOMPARE(jog.entry(), QStringLiteral("dial/REL_DIAL=jump-lines 3"));
    for (const char *wrong :
         {"", "=", "button/a", "button/a=", "button/a=pause now", "dial/REL_DIAL=jump-lines",
          "dial/REL_DIAL=jump-lines 0", "dial/REL_DIAL=jump-lines 101", "axis/x=speed fast",
          "button/a=speed centre-stop linear 10 300"})
        QVERIFY2(!ControllerBinding::fromEntry(QLatin1String(wrong)), wrong);
}

void TestControllerRules::defaultsDriveAPadAndAShuttle()
{
    const ControllerDevice pad{ControllerDevice::Kind::GamePad, QStringLiteral("Xbox Controller"), 0x045e,
                               0x02ea};
    const ControllerBindings padBindings = defaultbindings(pad);
    // The left stick pushed up runs the script forward.
    const ControllerBinding *stick = padBindings.bindingFor(axis("lefty"));
    QVERIFY(stick);
    QCOMPARE(stick->command, QStringLiteral("speed"));
    QVERIFY(axisspeed(0.0, stick->axis) == 300);
    QVERIFY(axisspeed(1.0, stick->axis) == -300);
    QCOMPARE(axisspeed(0.55, stick->axis), 0);
    QCOMPARE(padBindings.bindingFor(button("a"))->command, QStringLiteral("toggle-pause"));
    QCOMPARE(padBindings.bindingFor(button("b"))->command, QStringLiteral("reverse"));
    QCOMPARE(padBindings.bindingFor(button("rightshoulder"))->command, QStringLiteral("next-script"));

    const ControllerBindings xpress = defaultbindings(shuttlexpress());
    const ControllerBinding *ring = xpress.bindingFor(axis("REL_WHEEL"));
    QVERIFY(ring);
    // The ring's seven steps a side: clockwise forward, the middle stop, each step faster.
    QCOMPARE(axisspeed(0.5, ring->axis), 0);
    QCOMPARE(axisspeed(1.0, ring->axis), 300);
    QCOMPARE(axisspeed(0.0, ring->axis), -300);
    QVERIFY(axisspeed(8 / 14.0, ring->axis) > 0);
    QCOMPARE(xpress.bindingFor(dial("REL_DIAL"))->command, QStringLiteral("jump-lines"));
    QCOMPARE(xpress.bindingFor(button("BTN_6"))->command, QStringLiteral("toggle-pause"));
    // The ShuttlePro's ring and dial work too; its many buttons are the operator's to bind.
    const ControllerDevice pro{ControllerDevice::Kind::Input, QStringLiteral("Contour Design ShuttlePro"),
                               0x0b33, 0x0030};
    QVERIFY(defaultbindings(pro).bindingFor(axis("REL_WHEEL")));
    QVERIFY(!defaultbindings(pro).bindingFor(button("BTN_6")));
    // Anything else does nothing until bound: a stray joystick must not drive the page.
    QVERIFY(defaultbindings({ControllerDevice::Kind::Joystick, QStringLiteral("Pedals"), 0x1234, 0x5678})
                .isEmpty());
    QVERIFY(
        defaultbindings({ControllerDevice::Kind::Input, QStringLiteral("Dial"), 0x077d, 0x0410}).isEmpty());
}

void TestControllerRules::theOperatorsBindingsComeBeforeTheDefaults()
{
    const ControllerDevice pad{ControllerDevice::Kind::GamePad, QStringLiteral("Pad"), 0x054c, 0x09cc};
    const ControllerDevice otherPad{ControllerDevice::Kind::GamePad, QStringLiteral("Other"), 0x057e, 0x2009};
    ControllerMap map;
    QCOMPARE(map.bindingsFor(pad), defaultbindings(pad));
    // Any game pad bound: every pad not bound alone does that.
    ControllerBindings anyPad;
    anyPad.bind(commandBinding(button("a"), "pause"));
    map.setBindings(anygamepad(), anyPad);
    QCOMPARE(map.bindingsFor(otherPad), anyPad);
    // One pad bound alone does its own.
    ControllerBindings own;
    own.bind(commandBinding(button("a"), "resume"));
    map.setBindings(pad, own);
    QCOMPARE(map.bindingsFor(pad), own);
    QVERIFY(map.isBound(pad));
    // Bound to nothing, it does nothing (not its defaults).
    map.setBindings(shuttlexpress(), ControllerBindings());
    QVERIFY(map.bindingsFor(shuttlexpress()).isEmpty());
    map.restoreDefaults(shuttlexpress());
    QCOMPARE(map.bindingsFor(shuttlexpress()), defaultbindings(shuttlexpress()));
    QCOMPARE(map.boundDevices().size(), 2);
    QCOMPARE(ControllerMap::fromEntries(map.entries()), map);
}

void TestControllerRules::settingsKeepEveryDeviceAndNoJunk()
{
    ControllerMap map;
    ControllerBindings pedal;
    pedal.bind(speedBinding(axis("axis0"),
                            response(AxisResponse::Mode::EndStop, AxisResponse::Curve::Linear, 5, 200)));
    const ControllerDevice pedals{ControllerDevice::Kind::Joystick, QStringLiteral("Foot=Pedal, \"USB\""),
                                  0x1234, 0x1};
    map.setBindings(pedals, pedal);
    map.setBindings(shuttlexpress(), ControllerBindings());
    const ControllerSettings kept{false, map.entries()};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vantell.conf"));
    {
        QSettings settings(path, QSettings::IniFormat);
        writecontrollersettings(settings, kept);
    }
    QSettings settings(path, QSettings::IniFormat);
    ControllerSettings read;
    readcontrollersettings(settings, read);
    QCOMPARE(read, kept);
    QCOMPARE(ControllerMap::fromEntries(read.devices), map);
    // Fewer devices written later leave none of the earlier ones behind.
    writecontrollersettings(settings, ControllerSettings{true, {}});
    readcontrollersettings(settings, read);
    QCOMPARE(read, (ControllerSettings{true, {}}));

    // Entries and devices that cannot be read are left out; the rest is kept.
    QMap<QString, QStringList> damaged{
        {QStringLiteral("nonsense"), {QStringLiteral("button/a=pause")}},
        {pedals.key(),
         {QStringLiteral("axis/axis0=speed sideways"), QStringLiteral("button/button1=resume"),
          QStringLiteral("button/button2")}},
    };
    const ControllerMap repaired = ControllerMap::fromEntries(damaged);
    QCOMPARE(repaired.boundDevices(), QList<ControllerDevice>{pedals});
    QCOMPARE(repaired.bindingsFor(pedals).bindings().size(), 1);
    // No group at all: the defaults stay (listening on, no device bound).
    QSettings empty(dir.filePath(QStringLiteral("empty.conf")), QSettings::IniFormat);
    ControllerSettings defaults;
    readcontrollersettings(empty, defaults);
    QCOMPARE(defaults, ControllerSettings());
    QVERIFY(defaults.enabled);
}

void TestControllerRules::pluggingInSetsNothingGoing()
{
    ControllerDrive drive;
    const ControllerBinding stick = speedBinding(
        axis("lefty"), response(AxisResponse::Mode::CentreStop, AxisResponse::Curve::Linear, 10, 300));
    const ControllerBinding pause = commandBinding(button("a"), "pause");
    // Found with its stick pushed and its button held: nothing happens.
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 0.9, true), &stick));
    QVERIFY(!drive.commandFor(happened(button("a"), 1, true), &pause));
    // The held button's release and press again is a press; the stick moved is a speed.
    QVERIFY(!drive.commandFor(happened(button("a"), 0), &pause));
    QCOMPARE(drive.commandFor(happened(button("a"), 1), &pause)->action, RemoteAction::Pause);
    const std::optional<RemoteCommand> speed = drive.commandFor(happened(axis("lefty"), 1.0), &stick);
    QVERIFY(speed);
    QCOMPARE(speed->action, RemoteAction::SetSpeed);
    QCOMPARE(speed->value, 300);
    // An event of another control than the binding's is none of its business.
    QVERIFY(!drive.commandFor(happened(axis("leftx"), 0.0), &stick));
}

void TestControllerRules::anAxisSendsASpeedOnlyWhenItChanges()
{
    ControllerDrive drive;
    const ControllerBinding stick = speedBinding(
        axis("lefty"), response(AxisResponse::Mode::CentreStop, AxisResponse::Curve::Linear, 10, 300));
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 0.5, true), &stick));
    // Trembling within the dead zone: the speed the keyboard set holds.
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 0.52), &stick));
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 0.47), &stick));
    QCOMPARE(drive.commandFor(happened(axis("lefty"), 1.0), &stick)->value, 300);
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 1.0), &stick));
    // Back to the middle is stop, once.
    QCOMPARE(drive.commandFor(happened(axis("lefty"), 0.5), &stick)->value, 0);
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 0.51), &stick));
    // Two identical pads are two controls: each from its own state.
    QCOMPARE(drive.commandFor(happened(axis("lefty"), 0.0, false, "pad2"), &stick)->value, -300);
    // A control bound anew acts from where it stood unbound: a pedal at rest stays at rest.
    const ControllerBinding pedal = speedBinding(
        axis("axis0"), response(AxisResponse::Mode::EndStop, AxisResponse::Curve::Linear, 5, 300));
    QVERIFY(!drive.commandFor(happened(axis("axis0"), 0.0), nullptr));
    QVERIFY(!drive.commandFor(happened(axis("axis0"), 0.01), &pedal));
    QCOMPARE(drive.commandFor(happened(axis("axis0"), 1.0), &pedal)->value, 300);
    // A pad that went and came back starts afresh.
    drive.forget(QStringLiteral("pad1"));
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 0.5, true), &stick));
    QVERIFY(!drive.commandFor(happened(axis("lefty"), 0.5), &stick));
}

void TestControllerRules::pressesActOnceAndAxesActPastHalfway()
{
    ControllerDrive drive;
    const ControllerBinding mirror = commandBinding(button("y"), "mirror");
    const std::optional<RemoteCommand> first = drive.commandFor(happened(button("y"), 1), &mirror);
    QCOMPARE(first->action, RemoteAction::Mirror);
    QVERIFY(!first->on); // switched over
    QVERIFY(!drive.commandFor(happened(button("y"), 1), &mirror));
    QVERIFY(!drive.commandFor(happened(button("y"), 0), &mirror));
    QVERIFY(drive.commandFor(happened(button("y"), 1), &mirror));

    // A trigger bound to a command is a button: past half its travel, once, until it comes back.
    ControllerBinding trigger = commandBinding(axis("righttrigger"), "next-marker");
    trigger.axis.mode = AxisResponse::Mode::EndStop;
    QVERIFY(!drive.commandFor(happened(axis("righttrigger"), 0.3), &trigger));
    QCOMPARE(drive.commandFor(happened(axis("righttrigger"), 0.7), &trigger)->action,
             RemoteAction::NextMarker);
    QVERIFY(!drive.commandFor(happened(axis("righttrigger"), 0.9), &trigger));
    QVERIFY(!drive.commandFor(happened(axis("righttrigger"), 0.1), &trigger));
    QVERIFY(drive.commandFor(happened(axis("righttrigger"), 0.8), &trigger));
    QVERIFY(!drive.commandFor(happened(axis("righttrigger"), std::nan("")), &trigger));
}

void TestControllerRules::dialsJumpByLines()
{
    ControllerDrive drive;
    ControllerBinding jog = commandBinding(dial("REL_DIAL"), "jump-lines");
    jog.lines = 2;
    const std::optional<RemoteCommand> forward = drive.commandFor(happened(dial("REL_DIAL"), 3), &jog);
    QCOMPARE(forward->action, RemoteAction::JumpLines);
    QCOMPARE(forward->value, 6);
    QCOMPARE(drive.commandFor(happened(dial("REL_DIAL"), -1), &jog)->value, -2);
    QVERIFY(!drive.commandFor(happened(dial("REL_DIAL"), 0), &jog));
    // A device's wild count is held within what the command takes.
    QCOMPARE(drive.commandFor(happened(dial("REL_DIAL"), 1e12), &jog)->value, 1000000);
}

void TestControllerRules::learningWaitsForAClearMove()
{
    ControlLearner learner;
    // Where a stick rests and trembles is no choice; a clear push is.
    QVERIFY(!learner.observe(happened(axis("leftx"), 0.5, true)));
    QVERIFY(!learner.observe(happened(axis("leftx"), 0.6)));
    QVERIFY(!learner.observe(happened(axis("lefty"), 0.52)));
    QVERIFY(!learner.observe(happened(axis("lefty"), 0.7)));
    QCOMPARE(learner.observe(happened(axis("lefty"), 0.9))->control, axis("lefty"));
    // A release or the state a device is found in chooses nothing; a press or a turn does.
    QVERIFY(!learner.observe(happened(button("a"), 0)));
    QVERIFY(!learner.observe(happened(button("a"), 1, true)));
    QCOMPARE(learner.observe(happened(button("a"), 1))->control, button("a"));
    QVERIFY(!learner.observe(happened(dial("REL_DIAL"), 0)));
    QCOMPARE(learner.observe(happened(dial("REL_DIAL"), -1))->control, dial("REL_DIAL"));

    // A pedal resting at an end is learned as one, its stop where it rests; a stick as centred.
    QCOMPARE(learner.restOf(happened(axis("lefty"), 0)), 0.52);
    QCOMPARE(ControlLearner::responseFor(0.0).mode, AxisResponse::Mode::EndStop);
    QVERIFY(!ControlLearner::responseFor(0.0).reversed);
    QVERIFY(ControlLearner::responseFor(1.0).reversed);
    QCOMPARE(axisspeed(1.0, ControlLearner::responseFor(1.0)), 0);
    QCOMPARE(ControlLearner::responseFor(0.5).mode, AxisResponse::Mode::CentreStop);
}

VANTELL_CORE_TEST_MAIN(TestControllerRules)
#include "test_controllerrules.moc"
