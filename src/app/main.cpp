#include "app/windows.h"
#include "platform/application.h"
#include "platform/translation.h"
#include "prompter/tform1.h"
#include "stringtable.h"

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    VantellApplication::setApplicationDisplayName(i18n(str::ApplicationTitle));

    createWindows();
    TForm1 *prompter = windows().Form1;
    app.setErrorHandler([prompter](const QString &text) { prompter->ApplicationEvents1Exception(text); });
    prompter->show();
    // A script named on the command line opens as the menu command would open it.
    const QStringList arguments = VantellApplication::arguments();
    if (arguments.size() > 1)
        prompter->reportingErrors([prompter, &arguments] { prompter->openscript(arguments.at(1)); });
    const int result = VantellApplication::exec();
    app.setErrorHandler({});
    destroyWindows();
    return result;
}
