#include <alsa/asoundlib.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "core/remote/midiinput.h"
#include "core/remote/midimapping.h"
#include "core/settings/midisettings.h"
#include "testsupport/testmain.h"

// MIDI controllers: the messages a device sends read as events, controls bound to commands as a
// foot pedal, a pad and a fader use them, the bindings kept in the settings, and the sequencer
// opened where the machine has one, and a device that appears while it listens heard at once.
class TestMidi : public QObject {
    Q_OBJECT
private slots:
    void messagesBecomeEvents();
    void controlsAreKeptByName();
    void pressesActAndReleasesPass();
    void fadersSetSpeedAndCoarse();
    void bindingsAreKeptAndJunkIsLeftOut();
    void theSequencerOpensOrSaysWhy();
    void aDevicePluggedInLaterIsHeardWithinTwoSeconds();
};

namespace {
std::optional<MidiEvent> read(std::initializer_list<unsigned char> bytes)
{
    const std::vector<unsigned char> message(bytes);
    return readmidievent(message.data(), message.size());
}

MidiEvent note(int number, int velocity, int channel = 1)
{
    return MidiEvent{MidiControl{MidiControl::Kind::Note, channel, number}, velocity};
}

MidiEvent controller(int number, int value, int channel = 1)
{
    return MidiEvent{MidiControl{MidiControl::Kind::Controller, channel, number}, value};
}
} // namespace

void TestMidi::messagesBecomeEvents()
{
    QCOMPARE(read({0x90, 60, 100}), std::optional<MidiEvent>(note(60, 100)));
    QCOMPARE(read({0x9F, 60, 0}), std::optional<MidiEvent>(note(60, 0, 16))); // note on at 0: released
    QCOMPARE(read({0x83, 61, 64}), std::optional<MidiEvent>(note(61, 0, 4)));
    QCOMPARE(read({0xB0, 64, 127}), std::optional<MidiEvent>(controller(64, 127)));
    // Pitch bend, clock, system exclusive, truncated and malformed messages are no events.
    QVERIFY(!read({0xE0, 0, 64}));
    QVERIFY(!read({0xF8}));
    QVERIFY(!read({0xF0, 0x7E, 0xF7}));
    QVERIFY(!read({0x90, 60}));
    QVERIFY(!read({0x90, 200, 1}));
    QVERIFY(!readmidievent(nullptr, 3));
}

void TestMidi::controlsAreKeptByName()
{
    for (const MidiControl &control :
         {note(0, 1).control, note(127, 1, 16).control, controller(7, 0, 10).control})
        QCOMPARE(midicontrolfromkey(midicontrolkey(control)), std::optional<MidiControl>(control));
    QCOMPARE(midicontrolkey(controller(7, 0, 10).control), QStringLiteral("cc/10/7"));
    for (const char *wrong : {"", "note/1", "note/0/60", "note/17/60", "cc/1/128", "pad/1/1", "note/x/1"})
        QVERIFY2(!midicontrolfromkey(QLatin1String(wrong)), wrong);
    QCOMPARE(midicontrolname(note(60, 1).control), QStringLiteral("Note 60, channel 1"));
}

void TestMidi::pressesActAndReleasesPass()
{
    MidiMapping mapping;
    QVERIFY(mapping.bind(note(60, 0).control, QStringLiteral("toggle-pause")));
    QVERIFY(mapping.bind(controller(64, 0).control, QStringLiteral("next-script"))); // a sustain pedal
    QVERIFY(mapping.bind(note(62, 0).control, QStringLiteral("mirror")));
    QCOMPARE(mapping.commandfor(note(60, 90))->action, RemoteAction::TogglePause);
    QVERIFY(!mapping.commandfor(note(60, 0)));
    QCOMPARE(mapping.commandfor(controller(64, 127))->action, RemoteAction::NextScript);
    QCOMPARE(mapping.commandfor(controller(64, 64))->action, RemoteAction::NextScript);
    QVERIFY(!mapping.commandfor(controller(64, 63)));
    // A switch is switched over.
    QCOMPARE(mapping.commandfor(note(62, 1))->on, std::optional<bool>());
    // Another channel, another note: not bound.
    QVERIFY(!mapping.commandfor(note(60, 90, 2)));
    QVERIFY(!mapping.commandfor(note(61, 90)));
    // A control does one thing: bound again, it does the new one.
    QVERIFY(mapping.bind(note(60, 0).control, QStringLiteral("reset")));
    QCOMPARE(mapping.commandfor(note(60, 90))->action, RemoteAction::Reset);
    QCOMPARE(mapping.bindings().size(), 3);
    mapping.forget(note(60, 0).control);
    QVERIFY(!mapping.commandfor(note(60, 90)));
    // Commands that need a text or an exact number are for the control API, not for a pedal.
    QVERIFY(!mapping.bind(note(70, 0).control, QStringLiteral("script")));
    QVERIFY(!mapping.bind(note(70, 0).control, QStringLiteral("jump-lines")));
    QVERIFY(!mapping.bind(note(70, 0).control, QStringLiteral("explode")));
}

void TestMidi::fadersSetSpeedAndCoarse()
{
    MidiMapping mapping;
    QVERIFY(mapping.bind(controller(7, 0).control, QStringLiteral("speed")));
    QVERIFY(mapping.bind(controller(8, 0).control, QStringLiteral("coarse")));
    QVERIFY(mapping.bind(note(40, 0).control, QStringLiteral("speed")));
    QCOMPARE(mapping.commandfor(controller(7, 0))->value, 0);
    QCOMPARE(mapping.commandfor(controller(7, 127))->value, 300);
    QCOMPARE(mapping.commandfor(controller(7, 64))->value, 151);
    QCOMPARE(mapping.commandfor(controller(8, 0))->value, 1);
    QCOMPARE(mapping.commandfor(controller(8, 127))->value, 10);
    // A key has no position to set a speed from.
    QVERIFY(!mapping.commandfor(note(40, 100)));
}

void TestMidi::bindingsAreKeptAndJunkIsLeftOut()
{
    MidiMapping mapping;
    mapping.bind(note(60, 0).control, QStringLiteral("pause"));
    mapping.bind(controller(7, 0, 3).control, QStringLiteral("speed"));
    QCOMPARE(mapping.entries(),
             (QStringList{QStringLiteral("note/1/60=pause"), QStringLiteral("cc/3/7=speed")}));
    const MidiMapping read = MidiMapping::fromEntries(
        mapping.entries() + QStringList{QStringLiteral("note/1/61"), QStringLiteral("note/99/1=pause"),
                                        QStringLiteral("note/1/62=script"), QStringLiteral("=")});
    QCOMPARE(read.bindings(), mapping.bindings());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vantell.conf"));
    {
        QSettings settings(path, QSettings::IniFormat);
        writemidisettings(settings, MidiSettings{true, mapping.entries()});
    }
    QSettings settings(path, QSettings::IniFormat);
    MidiSettings back;
    readmidisettings(settings, back);
    QCOMPARE(back, (MidiSettings{true, mapping.entries()}));
}

void TestMidi::theSequencerOpensOrSaysWhy()
{
    MidiInput input;
    if (!QFile::exists(QStringLiteral("/dev/snd/seq"))) {
        // Without the sequencer the input says why and listens to nothing.
        QVERIFY(!input.open());
        QVERIFY(!input.errorString().isEmpty());
        QVERIFY(!input.isOpen());
        QSKIP("this machine has no ALSA sequencer (/dev/snd/seq): no device can be listened to");
    }
    QVERIFY2(input.open(), qPrintable(input.errorString()));
    QVERIFY(input.isOpen());
    input.close();
    QVERIFY(!input.isOpen());
}

void TestMidi::aDevicePluggedInLaterIsHeardWithinTwoSeconds()
{
    if (!QFile::exists(QStringLiteral("/dev/snd/seq")))
        QSKIP("this machine has no ALSA sequencer (/dev/snd/seq): no device can be plugged in");
    MidiInput input;
    QVERIFY2(input.open(), qPrintable(input.errorString()));
    QSignalSpy added(&input, &MidiInput::portsAdded);
    // A device of its own on the sequencer, as a pedal's USB MIDI port appears when plugged in.
    snd_seq_t *device = nullptr;
    QVERIFY(snd_seq_open(&device, "default", SND_SEQ_OPEN_OUTPUT, 0) >= 0);
    snd_seq_set_client_name(device, "Test Pedal");
    QElapsedTimer plugged;
    plugged.start();
    QVERIFY(snd_seq_create_simple_port(device, "pedal", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                       SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE) >= 0);
    const auto heard = [&input] {
        const QStringList ports = input.ports();
        return std::any_of(ports.cbegin(), ports.cend(),
                           [](const QString &port) { return port.startsWith(QLatin1String("Test Pedal")); });
    };
    QTRY_VERIFY_WITH_TIMEOUT(heard(), 2000);
    QVERIFY(plugged.elapsed() < 2000);
    QVERIFY(!added.isEmpty());
    // Unplugged, its port is let go of; listening goes on.
    snd_seq_close(device);
    QTRY_VERIFY_WITH_TIMEOUT(!heard(), 2000);
    QVERIFY(input.isOpen());
}

VANTELL_CORE_TEST_MAIN(TestMidi)
#include "test_midi.moc"
