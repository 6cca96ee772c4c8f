// vantell-screenshot: runs the prompter window as the program does, opens a script in it and saves
// a picture of the window once the page shows it (scripts/screenshot.sh makes the README's).
#include <cstdio>
#include <memory>

#include <QEventLoop>
#include <QPixmap>
#include <QTimer>

#include "ui/app/windows.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"
#include "ui/toolkit/application.h"

namespace {

// Waits for the prompter's next measured page; false after `timeoutMs` without one.
bool waitForPage(TForm1 *prompter, int timeoutMs)
{
    QEventLoop loop;
    bool measured = false;
    QObject::connect(prompter, &TForm1::pageMeasured, &loop, [&] {
        measured = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return measured;
}

// Lets the browser draw what it has laid out.
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    VantellApplication::setApplicationDisplayName(i18n(str::ApplicationTitle));
    const QStringList arguments = VantellApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: vantell-screenshot OUTPUT.png SCRIPT\n");
        return 2;
    }

    auto windows = std::make_unique<Windows>();
    TForm1 *prompter = windows->Form1;
    prompter->show();
    int result = 0;
    if (!waitForPage(prompter, 30000)) {
        std::fprintf(stderr, "vantell-screenshot: the prompter showed no page\n");
        result = 1;
    } else {
        try {
            prompter->openscript(arguments.at(2));
        } catch (const std::exception &error) {
            std::fprintf(stderr, "vantell-screenshot: %s\n", error.what());
            result = 1;
        }
    }
    if (result == 0 && !waitForPage(prompter, 30000)) {
        std::fprintf(stderr, "vantell-screenshot: the script's page did not load\n");
        result = 1;
    }
    if (result == 0) {
        settle(1000);
        if (!prompter->grab().save(arguments.at(1), "PNG")) {
            std::fprintf(stderr, "vantell-screenshot: cannot write %s\n", qPrintable(arguments.at(1)));
            result = 1;
        }
    }
    windows.reset();
    return result;
}
