#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "ui/options/midibindingsdialog.h"
#include "ui/remote/midiremote.h"
#include "remote/faketarget.h"
#include "testsupport/testmain.h"
#include "ui/toolkit/application.h"

// Binding a MIDI device's controls in its window, as the operator does it: pick a command, click
// Learn, press the pedal; then the pedal drives the prompter. The device is stood in for by the
// events it would send.
class TestMidiBindings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void learnBindsTheNextControlMoved();
    void nothingActsWhileLearningOrWhenCancelled();
    void aBindingIsRemoved();

private:
    FakeTarget *m_target = nullptr;
    MidiRemote *m_midi = nullptr;
};

namespace {
const MidiEvent pedalDown{MidiControl{MidiControl::Kind::Controller, 1, 64}, 127};
const MidiEvent pedalUp{MidiControl{MidiControl::Kind::Controller, 1, 64}, 0};
const MidiEvent padReleased{MidiControl{MidiControl::Kind::Note, 1, 36}, 0};
} // namespace

void TestMidiBindings::init()
{
    m_target = new FakeTarget;
    m_midi = new MidiRemote(*m_target);
}

void TestMidiBindings::cleanup()
{
    delete m_midi;
    delete m_target;
}

void TestMidiBindings::learnBindsTheNextControlMoved()
{
    MidiBindingsDialog dialog(m_midi);
    QVERIFY(!dialog.midiremove->isEnabled());
    dialog.midicommand->setCurrentText(QStringLiteral("toggle-pause"));
    QTest::mouseClick(dialog.midilearn, Qt::LeftButton);
    QVERIFY(dialog.midistatus->text().contains(QLatin1String("toggle-pause")));
    // A release is no choice of a control; the press is.
    m_midi->receive(padReleased);
    QCOMPARE(dialog.midibindings->topLevelItemCount(), 0);
    m_midi->receive(pedalDown);
    QCOMPARE(dialog.midibindings->topLevelItemCount(), 1);
    QCOMPARE(dialog.midibindings->topLevelItem(0)->text(0), QStringLiteral("Controller 64, channel 1"));
    QCOMPARE(dialog.midibindings->topLevelItem(0)->text(1), QStringLiteral("toggle-pause"));
    QVERIFY(!dialog.midilearn->isChecked());
    QVERIFY(m_target->commands.isEmpty());
    const MidiSettings chosen = dialog.values();
    QCOMPARE(chosen.bindings, QStringList{QStringLiteral("cc/1/64=toggle-pause")});

    // Kept (without listening to a device, which a test machine may not have), the pedal acts.
    m_midi->apply(MidiSettings{false, chosen.bindings});
    m_midi->receive(pedalDown);
    m_midi->receive(pedalUp);
    QCOMPARE(m_target->commands.size(), 1);
    QCOMPARE(m_target->commands.constFirst().action, RemoteAction::TogglePause);
}

void TestMidiBindings::nothingActsWhileLearningOrWhenCancelled()
{
    m_midi->apply(MidiSettings{false, {QStringLiteral("cc/1/64=reset")}});
    {
        MidiBindingsDialog dialog(m_midi);
        QCOMPARE(dialog.midibindings->topLevelItemCount(), 1);
        dialog.midicommand->setCurrentText(QStringLiteral("speed-up"));
        dialog.midilearn->setChecked(true);
        m_midi->receive(pedalDown);
        QVERIFY(m_target->commands.isEmpty());
        QCOMPARE(dialog.midibindings->topLevelItem(0)->text(1), QStringLiteral("speed-up"));
        dialog.reject();
    }
    // Cancelled: the pedal does what it did before.
    m_midi->receive(pedalDown);
    QCOMPARE(m_target->commands.size(), 1);
    QCOMPARE(m_target->commands.constFirst().action, RemoteAction::Reset);
}

void TestMidiBindings::aBindingIsRemoved()
{
    m_midi->apply(MidiSettings{false, {QStringLiteral("cc/1/64=reset"), QStringLiteral("note/1/36=pause")}});
    MidiBindingsDialog dialog(m_midi);
    QCOMPARE(dialog.midibindings->topLevelItemCount(), 2);
    dialog.midibindings->setCurrentItem(dialog.midibindings->topLevelItem(0));
    QTest::mouseClick(dialog.midiremove, Qt::LeftButton);
    QCOMPARE(dialog.values().bindings, QStringList{QStringLiteral("note/1/36=pause")});
}

VANTELL_UI_TEST_MAIN(TestMidiBindings)
#include "test_midibindings.moc"
