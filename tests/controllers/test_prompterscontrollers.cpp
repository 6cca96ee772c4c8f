#include <unistd.h>

#include <linux/input.h>

#include <QLabel>

#include "core/controllers/controllerremote.h"
#include "core/engine/promptengine.h"
#include "testsupport/eventwait.h"
#include "testsupport/programwindows.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/browser/browser.h"
#include "ui/prompter/tform1.h"
#include "ui/remote/remotecontrol.h"
#include "ui/toolkit/application.h"

// The real prompter driven by a ShuttleXpress (its reports written into a pipe read as the
// device's node): the ring runs the engine, the jog moves the page, and when the device is
// unplugged the page runs on and the status line says so.
class TestPromptersControllers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void aShuttleDrivesThePrompterAndItsLossIsTold();

private:
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

void TestPromptersControllers::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QStringList script;
    for (int i = 0; i < 600; ++i)
        script << QStringLiteral("Line %1 of the evening news").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
}

void TestPromptersControllers::cleanupTestCase()
{
    delete m_env;
}

void TestPromptersControllers::aShuttleDrivesThePrompterAndItsLossIsTold()
{
    // Listening is the program's own, as it starts.
    ControllerRemote &controllers = *windows().remote->controllers();
    WAIT_VERIFY(controllers.isListening());
    int ends[2];
    QCOMPARE(::pipe(ends), 0);
    controllers.evdev().attach(ends[0], shuttlexpress(),
                               EvdevLayout::shuttle({BTN_4, BTN_5, BTN_6, BTN_7, BTN_8}),
                               QStringLiteral("pipe:shuttle"));
    const auto report = [&ends](const InputFrame &frame) {
        const QByteArray bytes = evdevbytes(frame);
        QCOMPARE(::write(ends[1], bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    };
    WAIT_VERIFY(m_form->Label4->text().contains(QLatin1String("ShuttleXpress is connected")));

    // The ring at its end: the engine runs forward at full speed.
    report({{EV_REL, REL_WHEEL, 7}, {EV_REL, REL_DIAL, 17}});
    WAIT_VERIFY(m_form->engine->scrollspeed() == 300 && m_form->engine->isRunning());
    // Back in the middle: stopped.
    report({{EV_REL, REL_DIAL, 17}});
    WAIT_VERIFY(!m_form->engine->isRunning());
    QCOMPARE(m_form->engine->scrollspeed(), 0);
    // The jog three steps on: the page glides three lines down.
    const int before = m_form->wb1->scrollPosition();
    report({{EV_REL, REL_DIAL, 20}});
    WAIT_VERIFY(m_form->wb1->scrollPosition() > before && !m_form->engine->isGliding());
    // Held two steps back, then unplugged: the page runs on backward, and the operator is told.
    report({{EV_REL, REL_WHEEL, -2}, {EV_REL, REL_DIAL, 20}});
    WAIT_VERIFY(m_form->engine->scrollspeed() < 0 && m_form->engine->isRunning());
    const int speed = m_form->engine->scrollspeed();
    ::close(ends[1]);
    WAIT_VERIFY(controllers.devices().isEmpty());
    QCOMPARE(m_form->engine->scrollspeed(), speed);
    QVERIFY(m_form->engine->isRunning());
    WAIT_VERIFY(
        m_form->Label4->text() ==
        QStringLiteral("Contour Design ShuttleXpress was disconnected; the speed stays at %1.").arg(speed));
    m_form->engine->pause();
}

VANTELL_UI_TEST_MAIN(TestPromptersControllers)
#include "test_prompterscontrollers.moc"
