#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "core/controllers/controllerdefaults.h"
#include "core/controllers/controllerremote.h"
#include "remote/faketarget.h"
#include "testsupport/testmain.h"
#include "ui/options/controllersdialog.h"
#include "ui/toolkit/application.h"

// The controllers' window as the operator uses it: the devices found and the defaults it offers
// before any is plugged in, Learn with a control pressed or moved, an axis's settings, Remove and
// Defaults; what Ok keeps drives the prompter. Devices are stood in for by the events they send.
class TestControllersDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theDefaultsAreShownBeforeAnyDeviceIsPlugged();
    void learnBindsTheControlPressedOrMoved();
    void anAxisIsTunedAndKept();
    void nothingActsWhileLearningAndRemoveAndDefaultsWork();

private:
    FakeTarget *m_target = nullptr;
    ControllerRemote *m_remote = nullptr;
};

namespace {

const ControllerDevice pedals{ControllerDevice::Kind::Joystick, QStringLiteral("Foot Pedals"), 0x1234,
                              0x0042};

ControllerEvent pedalEvent(const char *kind, const char *code, double value, bool initial = false)
{
    return ControllerEvent{
        pedals.key(), QStringLiteral("sdl:9"),
        *controllercontrolfromkey(QLatin1String(kind) + QLatin1Char('/') + QLatin1String(code)), value,
        initial};
}

QStringList rows(const QTreeWidget *tree)
{
    QStringList shown;
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        shown << tree->topLevelItem(row)->text(0) + QLatin1String(" | ") + tree->topLevelItem(row)->text(1);
    return shown;
}

QStringList devices(const QListWidget *list)
{
    QStringList shown;
    for (int row = 0; row < list->count(); ++row)
        shown << list->item(row)->text();
    return shown;
}

void choose(QListWidget *list, const QString &text)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == text)
            list->setCurrentRow(row);
}

} // namespace

void TestControllersDialog::init()
{
    m_target = new FakeTarget;
    m_remote = new ControllerRemote(*m_target);
}

void TestControllersDialog::cleanup()
{
    delete m_remote;
    delete m_target;
}

void TestControllersDialog::theDefaultsAreShownBeforeAnyDeviceIsPlugged()
{
    ControllersDialog dialog(m_remote);
    QCOMPARE(devices(dialog.controllersdevices),
             (QStringList{QStringLiteral("Any game pad"),
                          QStringLiteral("Contour Design ShuttleXpress (not connected)")}));
    // Any game pad: its stick is the speed, its buttons pause, reverse, and step.
    QVERIFY(rows(dialog.controllerbindings).contains(QStringLiteral("Axis lefty | speed")));
    QVERIFY(rows(dialog.controllerbindings).contains(QStringLiteral("Button a | toggle-pause")));
    QCOMPARE(dialog.controllerbindings->topLevelItem(0)->text(2),
             QStringLiteral("centre-stop, exponential, dead zone 15 %, top speed 300, reversed"));
    QVERIFY(dialog.axisstop->isEnabled());
    QVERIFY(!dialog.controllerdefaults->isEnabled());
    choose(dialog.controllersdevices, QStringLiteral("Contour Design ShuttleXpress (not connected)"));
    QVERIFY(rows(dialog.controllerbindings).contains(QStringLiteral("Dial REL_DIAL | jump-lines")));
    QVERIFY(rows(dialog.controllerbindings).contains(QStringLiteral("Axis REL_WHEEL | speed")));
    QCOMPARE(dialog.controllersstatus->text(), QStringLiteral("Controllers are not listened to."));
    // Unchanged, nothing is kept for a device: each goes on taking its defaults.
    QVERIFY(dialog.values().devices.isEmpty());
}

void TestControllersDialog::learnBindsTheControlPressedOrMoved()
{
    ControllersDialog dialog(m_remote);
    // Found: the pedal at rest at one end, the button up.
    m_remote->receive(pedalEvent("axis", "axis0", 0.0, true));
    m_remote->receive(pedalEvent("button", "button1", 0, true));
    dialog.controllercommand->setCurrentText(QStringLiteral("speed"));
    QTest::mouseClick(dialog.controllerlearn, Qt::LeftButton);
    QVERIFY(dialog.controllersstatus->text().contains(QLatin1String("speed")));
    // A button cannot set the speed, and a pedal's tremble is no choice: learning goes on.
    m_remote->receive(pedalEvent("button", "button1", 1));
    m_remote->receive(pedalEvent("axis", "axis0", 0.1));
    QVERIFY(dialog.controllerlearn->isChecked());
    m_remote->receive(pedalEvent("axis", "axis0", 0.8));
    QVERIFY(!dialog.controllerlearn->isChecked());
    QCOMPARE(dialog.controllersdevices->currentItem()->text(), QStringLiteral("Foot Pedals (not connected)"));
    QCOMPARE(rows(dialog.controllerbindings), QStringList{QStringLiteral("Axis axis0 | speed")});
    // Learned from its rest at an end: a pedal, stopped at rest, forward when pressed.
    QCOMPARE(dialog.axisstop->currentText(), QStringLiteral("at one end (pedals, triggers)"));
    QCOMPARE(dialog.controllersstatus->text(), QStringLiteral("Axis axis0 of Foot Pedals now does speed."));
    QVERIFY(m_target->commands.isEmpty());

    dialog.controllercommand->setCurrentText(QStringLiteral("blackout"));
    dialog.controllerlearn->setChecked(true);
    m_remote->receive(pedalEvent("button", "button1", 0));
    m_remote->receive(pedalEvent("button", "button1", 1));
    QCOMPARE(rows(dialog.controllerbindings), (QStringList{QStringLiteral("Axis axis0 | speed"),
                                                           QStringLiteral("Button button1 | blackout")}));
    QVERIFY(m_target->commands.isEmpty());
    QCOMPARE(dialog.controllersmoved->text(), QStringLiteral("Last moved: Button button1 of Foot Pedals."));

    // Kept, the pedal drives: pressed down, full speed; the button blacks out.
    const ControllerSettings chosen = dialog.values();
    QCOMPARE(chosen.devices.value(pedals.key()),
             (QStringList{QStringLiteral("axis/axis0=speed end-stop linear 5 300"),
                          QStringLiteral("button/button1=blackout")}));
    m_remote->apply(ControllerSettings{false, chosen.devices});
    m_remote->receive(pedalEvent("axis", "axis0", 1.0));
    m_remote->receive(pedalEvent("button", "button1", 0));
    m_remote->receive(pedalEvent("button", "button1", 1));
    QCOMPARE(m_target->commands.size(), 2);
    QCOMPARE(m_target->state.speed, 300);
    QCOMPARE(m_target->commands.at(1).action, RemoteAction::Blackout);
}

void TestControllersDialog::anAxisIsTunedAndKept()
{
    ControllersDialog dialog(m_remote);
    choose(dialog.controllersdevices, QStringLiteral("Contour Design ShuttleXpress (not connected)"));
    for (int row = 0; row < dialog.controllerbindings->topLevelItemCount(); ++row)
        if (dialog.controllerbindings->topLevelItem(row)->text(0) == QLatin1String("Axis REL_WHEEL"))
            dialog.controllerbindings->setCurrentItem(dialog.controllerbindings->topLevelItem(row));
    QVERIFY(dialog.axistopspeed->isEnabled());
    QVERIFY(!dialog.diallines->isEnabled());
    dialog.axistopspeed->setValue(150);
    dialog.axiscurve->setCurrentIndex(0);
    dialog.axisdeadzone->setValue(20);
    dialog.axisreversed->setChecked(true);
    QCOMPARE(dialog.controllerbindings->currentItem()->text(2),
             QStringLiteral("centre-stop, linear, dead zone 20 %, top speed 150, reversed"));
    for (int row = 0; row < dialog.controllerbindings->topLevelItemCount(); ++row)
        if (dialog.controllerbindings->topLevelItem(row)->text(0) == QLatin1String("Dial REL_DIAL"))
            dialog.controllerbindings->setCurrentItem(dialog.controllerbindings->topLevelItem(row));
    QVERIFY(!dialog.axistopspeed->isEnabled());
    dialog.diallines->setValue(3);
    QVERIFY(dialog.controllerdefaults->isEnabled());
    const QStringList kept = dialog.values().devices.value(shuttlexpress().key());
    QVERIFY(kept.contains(QStringLiteral("axis/REL_WHEEL=speed centre-stop linear 20 150 reversed")));
    QVERIFY(kept.contains(QStringLiteral("dial/REL_DIAL=jump-lines 3")));
    QVERIFY(kept.contains(QStringLiteral("button/BTN_6=toggle-pause")));
}

void TestControllersDialog::nothingActsWhileLearningAndRemoveAndDefaultsWork()
{
    m_remote->apply(ControllerSettings{
        false,
        {{pedals.key(), {QStringLiteral("button/button1=reset"), QStringLiteral("button/button2=pause")}}}});
    {
        ControllersDialog dialog(m_remote);
        choose(dialog.controllersdevices, QStringLiteral("Foot Pedals (not connected)"));
        QCOMPARE(rows(dialog.controllerbindings).size(), 2);
        dialog.controllerlearn->setChecked(true);
        m_remote->receive(pedalEvent("button", "button1", 1));
        QVERIFY(m_target->commands.isEmpty());
        // Remove takes the chosen row away; Defaults gives the device back what it had unbound
        // (nothing, for a joystick).
        dialog.controllerbindings->setCurrentItem(dialog.controllerbindings->topLevelItem(0));
        QTest::mouseClick(dialog.controllerremove, Qt::LeftButton);
        QCOMPARE(rows(dialog.controllerbindings).size(), 1);
        QTest::mouseClick(dialog.controllerdefaults, Qt::LeftButton);
        QCOMPARE(rows(dialog.controllerbindings).size(), 0);
        QVERIFY(!dialog.values().devices.contains(pedals.key()));
        dialog.reject();
    }
    // Cancelled: the pedal does what it did before.
    m_remote->receive(pedalEvent("button", "button1", 0));
    m_remote->receive(pedalEvent("button", "button1", 1));
    QCOMPARE(m_target->commands.size(), 1);
    QCOMPARE(m_target->commands.constFirst().action, RemoteAction::Reset);
}

VANTELL_UI_TEST_MAIN(TestControllersDialog)
#include "test_controllersdialog.moc"
