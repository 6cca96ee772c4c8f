#include "ui/app/programending.h"

#include <QApplication>
#include <QSessionManager>

#include "ui/app/quitrequest.h"
#include "core/platform/exitsignals.h"
#include "ui/prompter/tform1.h"

void endProgramOnRequest(TForm1 *prompter)
{
    auto *exitSignals = new ExitSignals(prompter);
    QObject::connect(exitSignals, &ExitSignals::exitRequested, prompter, [prompter] {
        prompter->endProgram();
        // Every event loop ends, a modal window's too.
        QCoreApplication::exit(0);
    });
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    QObject::connect(app, &QGuiApplication::commitDataRequest, prompter, &TForm1::commitSessionData);
    // The session's end: the quick editor closes keeping its text rather than asking to save it.
    QObject::connect(new QuitRequest(prompter), &QuitRequest::requested, prompter, &TForm1::endProgram);
    QObject::connect(app, &QCoreApplication::aboutToQuit, prompter, &TForm1::endProgram);
}
