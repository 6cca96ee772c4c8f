#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

class XSession;

// The built program, started as a user starts it on the session's display: its own settings
// folder, no web service unless one is named, and nothing but X input to drive it.
class PrompterRun {
public:
    struct Options {
        QStringList arguments;
        // A settings folder shared with an earlier run, to see what the program kept; by default
        // a new, empty one.
        QString configHome;
        // A state folder (the quick editor's recovery file) shared with an earlier run; by default
        // a new, empty one.
        QString stateHome;
        // The web service's address; by default one where nothing answers.
        QString serviceUrl;
        QString language;
        // Another copy of the program to run; by default the one built.
        QString program;
        // The program's scale factor (QT_SCALE_FACTOR): 2 draws everything twice as large.
        int scale = 1;
        // The window the run shows first; by default the prompter's.
        QString caption;
        // The session manager the program joins (SESSION_MANAGER); by default none.
        QString sessionManager;
    };

    PrompterRun(const XSession &session, const Options &options);
    explicit PrompterRun(const XSession &session) : PrompterRun(session, Options{}) {}
    ~PrompterRun();
    PrompterRun(const PrompterRun &) = delete;
    PrompterRun &operator=(const PrompterRun &) = delete;

    // The window the run shows first (the prompter's) once it is shown, or 0 (then error() says why).
    quint64 window() const { return m_window; }
    QString error() const { return m_error; }
    QString configHome() const { return m_configHome; }
    QString settingsFile() const;
    // Ends the program as the window manager's close button would, and waits for it.
    bool close(int timeoutMs = 15000);
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    qint64 processId() const { return m_process.processId(); }
    // Kills the program (SIGKILL), as a crash or a power loss would end it, and waits for it.
    void kill();
    // What the program wrote on its standard error so far.
    QString errors() const;

private:
    const XSession &m_session;
    QTemporaryDir m_home;
    QString m_configHome;
    QProcess m_process;
    QString m_errorFile;
    quint64 m_window = 0;
    QString m_error;
};

// Where the programs and data of the build tree are.
QString programPath();
QString sourcePath(const QString &relative);
