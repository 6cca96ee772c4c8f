#pragma once

#include <functional>
#include <memory>

#include <QTemporaryDir>
#include <QTest>

#include "prompterrun.h"
#include "prompterwindow.h"
#include "screenreading.h"
#include "xdesktop.h"
#include "xsession.h"

// What every group of flows shares: a display of its own, the program on it, and a folder for
// the scripts the flows write.
class UserFlow : public QObject {
    Q_OBJECT
protected:
    // Starts the display and the program; false (with the test failed) when either does not come.
    bool startSession(QSize screenSize = {1280, 800});
    bool startProgram(const PrompterRun::Options &options = {});
    bool startProgram(const QStringList &arguments);
    void stopProgram();
    // After a failed flow the program may be left in any state (a modal window open, say): the
    // next flow gets a new one, started as the group starts it.
    void recoverFromFailure();
    PrompterRun::Options startOptions;

    // Writes `content` as a file of the scripts folder and returns its path.
    QString writeScript(const QString &name, const QByteArray &content) const;
    // A plain script of numbered lines ("Line 1", "Line 2", ...), for measuring the motion.
    QString numberedScript(int lines) const;

    // Picks `path` in the file dialog titled `title` that a command has opened.
    bool chooseFile(const QString &title, const QString &path) const;
    // Asks `holds` again and again until it is true or `timeoutMs` has passed; whether it held.
    bool waitUntil(const std::function<bool()> &holds, int timeoutMs = 10000) const;
    // Waits until the page shows `words` (as OCR reads it), and returns what it read.
    QString waitForPageText(const QString &words, int timeoutMs = 10000) const;
    // Clicks where `window` shows `word`, at its `occurrence`-th place from the top (from 0);
    // false when OCR does not find it there that often.
    bool clickWord(quint64 window, const QString &word, int occurrence = 0) const;
    // Opens the options window from the menu; 0 when it does not come.
    quint64 openOptions() const;
    // Shows a feature's page of the options window `window` by clicking its button `button`
    // (unless it shows `shown` already), and waits until the window shows `shown`; false when it
    // does not within the deadline.
    bool showOptionsPage(quint64 window, const QString &button, const QString &shown,
                         int timeoutMs = 10000) const;
    // A picture of the page once two grabs in a row agree.
    QImage settledPage(bool statusShown = true) const;

    std::unique_ptr<XSession> session;
    std::unique_ptr<XDesktop> desktop;
    std::unique_ptr<PrompterRun> program;
    std::unique_ptr<PrompterWindow> prompter;
    QTemporaryDir scripts;
};

// Fails the test with a description of what the screen showed.
#define VERIFY_SCREEN(condition, image, name)                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            QFAIL(qPrintable(QStringLiteral("%1 does not hold: %2")                                          \
                                 .arg(QLatin1String(#condition), described((image), (name)))));              \
    } while (false)
