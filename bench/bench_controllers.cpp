// Hand controllers: from a controller's event to the engine's new speed, while the real prompter
// shows a script; median and 99th percentile over 500 moves each. Through SDL, a virtual game
// pad's stick moved between two positions (read as SDL reads a pad: polled every few
// milliseconds); through evdev, a ShuttleXpress's ring reports written into a pipe, as the
// kernel writes them to the device's node.
#include <unistd.h>

#include <linux/input.h>
#include <SDL2/SDL.h>

#include <QElapsedTimer>

#include "core/controllers/controllerremote.h"
#include "core/controllers/evdevdecoder.h"
#include "core/engine/promptengine.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "support/framesampling.h"
#include "testsupport/eventwait.h"
#include "testsupport/programwindows.h"
#include "ui/app/windows.h"
#include "ui/prompter/tform1.h"
#include "ui/remote/remotecontrol.h"
#include "ui/toolkit/application.h"

namespace {

constexpr int defaultMoves = 500;

QElapsedTimer &benchClock()
{
    static QElapsedTimer started;
    return started;
}

double nowMs()
{
    return benchClock().nsecsElapsed() / 1e6;
}

// Moves the control `count` times by `move(i)`, each once the engine has taken the one before,
// and reports how long each took to reach the engine.
void measure(TForm1 *form, const QString &kind, int count, const std::function<void(int)> &move)
{
    QList<double> delays;
    double sent = 0;
    double applied = 0;
    const auto connection =
        QObject::connect(form->engine, &PromptEngine::speedApplied, [&applied] { applied = nowMs(); });
    for (int i = 0; i < count; ++i) {
        applied = 0;
        sent = nowMs();
        move(i);
        if (runEventsUntil([&applied] { return applied > 0; }, 2000))
            delays << applied - sent;
        // A pause between moves, as a hand's.
        runEventsFor(3);
    }
    QObject::disconnect(connection);
    const QJsonObject inputs{{QStringLiteral("moves"), count}};
    bench::report(QStringLiteral("controller_%1_to_engine_median").arg(kind), bench::median(delays),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("controller_%1_to_engine_p99").arg(kind), bench::percentile(delays, 0.99),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("controller_%1_moves_with_effect").arg(kind), double(delays.size()) / count,
                  QStringLiteral("ratio"), inputs);
}

void measureSdl(TForm1 *form, ControllerRemote &controllers, int count)
{
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    pad.vendor_id = 0x045e;
    pad.product_id = 0x028e;
    pad.name = "Benchmark Pad";
    const int index = SDL_JoystickAttachVirtualEx(&pad);
    SDL_Joystick *stick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (!stick || !runEventsUntil([&controllers] { return !controllers.devices().isEmpty(); }, 3000)) {
        qWarning("no virtual game pad: %s", SDL_GetError());
        return;
    }
    // The left stick pushed fully up, then three quarters: two speeds forward.
    measure(form, QStringLiteral("sdl"), count, [stick](int i) {
        SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, Sint16(i % 2 ? -24576 : -32768));
    });
    SDL_JoystickDetachVirtual(index);
    SDL_JoystickClose(stick);
    (void)runEventsUntil([&controllers] { return controllers.devices().isEmpty(); }, 3000);
}

void measureEvdev(TForm1 *form, ControllerRemote &controllers, int count)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return;
    controllers.evdev().attach(ends[0], shuttlexpress(),
                               EvdevLayout::shuttle({BTN_4, BTN_5, BTN_6, BTN_7, BTN_8}),
                               QStringLiteral("pipe:shuttle"));
    // The ring at its end, then a step before it, each report with the jog's count.
    measure(form, QStringLiteral("evdev"), count, [&ends](int i) {
        const QByteArray report = evdevbytes({{EV_REL, REL_WHEEL, i % 2 ? 6 : 7}, {EV_REL, REL_DIAL, 17}});
        if (::write(ends[1], report.constData(), size_t(report.size())) != report.size())
            qWarning("the pipe took less than a report");
    });
    ::close(ends[1]);
    (void)runEventsUntil([&controllers] { return controllers.devices().isEmpty(); }, 3000);
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    benchClock().start();
    TForm1 *form = bench::promptNumberedScript(2000);
    if (!form)
        return 1;
    // The program's own controllers, listening as they do unless the operator turned them off:
    // SDL's event queue is the process's, one reader takes it.
    ControllerRemote &controllers = *windows().remote->controllers();
    if (!runEventsUntil([&controllers] { return controllers.isListening(); }, 5000)) {
        qWarning("%s", qPrintable(controllers.status()));
        return 1;
    }
    const int count = qEnvironmentVariableIntValue("BENCH_MOVES") > 0
                          ? qEnvironmentVariableIntValue("BENCH_MOVES")
                          : defaultMoves;
    measureSdl(form, controllers, count);
    measureEvdev(form, controllers, count);
    return 0;
}
