#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>

#include "core/app/commandline.h"
#include "ui/app/commandlinestart.h"
#include "ui/app/windows.h"
#include "ui/app/programending.h"
#include "core/platform/exitsignals.h"
#include "core/platform/translation.h"
#include "ui/talentdisplay/networkdisplay.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"
#include "ui/toolkit/application.h"

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Help, version, a script's text and mistakes are answered on the terminal, before any window
    // or the browser exists: they need no display.
    const auto answer = [&arguments] {
        initTranslation();
        QTextStream out(stdout);
        QTextStream errors(stderr);
        return CommandLine(arguments).answer(out, errors);
    };
    const CommandLine::Request request = CommandLine(arguments).request();
    if (request == CommandLine::Request::PrintText) {
        // Rich text is read with the fonts of a graphical application, which the platform without a
        // screen gives as well.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication terminal(argc, argv);
        return answer();
    }
    if (request != CommandLine::Request::Run) {
        QCoreApplication terminal(argc, argv);
        return answer();
    }

    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    VantellApplication::setApplicationDisplayName(i18n(str::ApplicationTitle));
    const CommandLine commandLine(arguments);

    if (const QList<QUrl> leaders = commandLine.leaders(); !leaders.isEmpty()) {
        // A talent display of a prompter elsewhere: its window alone, nothing to keep.
        NetworkDisplay display(leaders, commandLine.mirrorsFollower(), commandLine.rotatesFollower());
        ExitSignals exitSignals;
        QObject::connect(&exitSignals, &ExitSignals::exitRequested, &app, [] { QCoreApplication::exit(0); });
        display.open(QGuiApplication::primaryScreen());
        return VantellApplication::exec();
    }

    const auto windows = std::make_unique<Windows>();
    TForm1 *prompter = windows->Form1;
    app.setErrorHandler([prompter](const QString &text) { prompter->ApplicationEvents1Exception(text); });
    prompter->show();
    openFromCommandLine(commandLine, *windows);
    // Text that a stopped run left unsaved in the quick editor is offered once the windows stand.
    QTimer::singleShot(0, prompter, &TForm1::offerRecovery);
    endProgramOnRequest(prompter);
    const int result = VantellApplication::exec();
    app.setErrorHandler({});
    return result;
}
