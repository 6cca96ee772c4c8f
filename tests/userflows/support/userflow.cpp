#include "userflow.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QElapsedTimer>
#include <QThread>

bool UserFlow::startSession(QSize screenSize)
{
    session = std::make_unique<XSession>(screenSize);
    if (!session->error().isEmpty()) {
        qWarning("%s", qPrintable(session->error()));
        return false;
    }
    desktop = std::make_unique<XDesktop>(*session);
    return true;
}

bool UserFlow::startProgram(const PrompterRun::Options &options)
{
    stopProgram();
    startOptions = options;
    program = std::make_unique<PrompterRun>(*session, options);
    if (!program->error().isEmpty()) {
        qWarning("%s", qPrintable(program->error()));
        return false;
    }
    prompter = std::make_unique<PrompterWindow>(*desktop, program->window(), options.scale);
    // The page is there once the first picture of it settles.
    settledPage();
    return true;
}

bool UserFlow::startProgram(const QStringList &arguments)
{
    PrompterRun::Options options;
    options.arguments = arguments;
    return startProgram(options);
}

void UserFlow::recoverFromFailure()
{
    if (QTest::currentTestFailed())
        startProgram(PrompterRun::Options(startOptions));
}

void UserFlow::stopProgram()
{
    prompter.reset();
    program.reset();
}

QString UserFlow::writeScript(const QString &name, const QByteArray &content) const
{
    const QString path = scripts.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

QString UserFlow::numberedScript(int lines) const
{
    // Lines of different lengths, so that no stretch of the page looks like the next one.
    QByteArray text;
    for (int line = 1; line <= lines; ++line)
        text += "Line " + QByteArray::number(line) + QByteArray(" and more").repeated(line * 7 % 5) + "\r\n";
    return writeScript(QStringLiteral("numbered%1.txt").arg(lines), text);
}

bool UserFlow::chooseFile(const QString &title, const QString &path) const
{
    const quint64 dialog = desktop->waitForWindow(title);
    if (!dialog)
        return false;
    desktop->activate(dialog);
    // The file name field has the focus; a full path there is taken as it is.
    desktop->key(QStringLiteral("ctrl+a"));
    desktop->type(path);
    desktop->key(QStringLiteral("Return"));
    return desktop->waitForWindowGone(title);
}

bool UserFlow::waitUntil(const std::function<bool()> &holds, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!holds()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

QString UserFlow::waitForPageText(const QString &words, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QString text;
    do {
        text = readText(prompter->page());
        if (readsWords(text, words))
            return text;
        QThread::msleep(200);
    } while (!deadline.hasExpired());
    return text;
}

bool UserFlow::clickWord(quint64 window, const QString &word, int occurrence) const
{
    const QList<QRect> places = findWords(desktop->grab(window), word);
    if (places.size() <= occurrence)
        return false;
    desktop->click(window, places.at(occurrence).center());
    return true;
}

quint64 UserFlow::openOptions() const
{
    // "Options" and "Print" share their key letter: the first press marks Options.
    prompter->menu({QStringLiteral("p"), QStringLiteral("Return")});
    return desktop->waitForWindow(QStringLiteral("Vantell Options"));
}

bool UserFlow::showOptionsPage(quint64 window, const QString &button, const QString &shown,
                               int timeoutMs) const
{
    // A page shown already is left as it is: its button, lit, reads less well.
    QElapsedTimer clock;
    clock.start();
    bool clicked = false;
    do {
        const QImage now = desktop->grab(window);
        if (readsWords(readText(now), shown))
            return true;
        if (!clicked) {
            const QList<QRect> places = findWords(now, button);
            if (!places.isEmpty()) {
                desktop->click(window, places.first().center());
                clicked = true;
            }
        }
    } while (clock.elapsed() < timeoutMs);
    return false;
}

QImage UserFlow::settledPage(bool statusShown) const
{
    QImage last = prompter->page(statusShown);
    for (int attempt = 0; attempt < 20; ++attempt) {
        QThread::msleep(150);
        const QImage next = prompter->page(statusShown);
        if (next == last)
            return next;
        last = next;
    }
    return last;
}
