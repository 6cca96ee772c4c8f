#pragma once

#include <optional>

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QCommandLineParser;
class QTextStream;

// What the command line asks of the program: run (with a script to open or a queue to start),
// print its help or version, or refuse a mistake. Parsing needs no application object, so the
// program can answer --help, --version and mistakes before any window or the browser exists.
//
//   vantell [script]          opens the script as the menu's open command does
//   vantell --queue FILE.vnq  loads the queue and starts it as Ok in the options window does
//                             (a .vnq file given as the script is started the same way)
//   vantell --remote          lets remote controls drive the prompter for this run
//   vantell --follow HOST[:PORT][,HOST2[:PORT]...] [--token T] [--mirror] [--rotate]
//                             is a talent display of the prompter at HOST, over the network (of
//                             the next HOST when one goes)
//   vantell --standby HOST[:PORT] [--token T]
//                             is a standby prompter that mirrors the prompter at HOST and takes
//                             the show over when it stops
//   vantell --port N          lets remote controls drive the prompter for this run on port N
//   vantell --print-text FILE  writes the script's text (scripttextlines) to standard output
class CommandLine {
public:
    enum class Request { Run, ShowHelp, ShowVersion, PrintText, Mistake };

    // `arguments` as the program got them, its own name first. A queue file named is read here:
    // one that cannot be read is a mistake. A script whose text is to be printed is read when
    // it is printed. The texts are translated as the catalogues are bound
    // at the time.
    explicit CommandLine(const QStringList &arguments);

    Request request() const { return m_request; }
    // The script to open; empty when none was named.
    QString scriptPath() const { return m_scriptPath; }
    bool startsQueue() const { return m_startsQueue; }
    QStringList queueEntries() const { return m_queueEntries; }
    // Remote control is on for this run, whatever the options window says.
    bool remoteControl() const { return m_remote; }
    // The leaders' control APIs when this run is a networked talent display (--follow), in the
    // order they are tried, with this display's own mirror and rotate; empty for a prompter.
    QList<QUrl> leaders() const { return m_leaders; }
    // The control API's port for this run (--port), which turns it on; the OSC port is the next.
    std::optional<int> port() const { return m_port; }
    // The control API of the prompter this run stands by for (--standby); empty for none.
    QUrl standbyOf() const { return m_standbyOf; }
    bool mirrorsFollower() const { return m_mirrorFollower; }
    bool rotatesFollower() const { return m_rotateFollower; }

    // The help: usage, options, argument, and where the settings and the special characters
    // table are (looked up now: needs the application object).
    QString helpText() const;
    QString versionText() const;
    // What is wrong, with a hint to --help when the command line itself is.
    QString mistakeText() const { return m_mistake; }

    // Prints the help, the version or a script's text (as UTF-8) on `out`, or the mistake on `errors`;
    // returns the program's exit status: 0, 1 for a file that cannot be read (a script to print included), 2
    // for a wrong command line. Prints nothing for a run.
    int answer(QTextStream &out, QTextStream &errors) const;

private:
    void refuse(const QString &text, int exitStatus);
    void takeQueue(const QString &path);
    // The options of a networked talent display.
    void takeFollower(const QCommandLineParser &parser);
    // The options of a standby prompter; false when refused.
    bool takeStandby(const QCommandLineParser &parser);
    int printText(QTextStream &out, QTextStream &errors) const;

    QString m_programName;
    QList<QCommandLineOption> m_options;
    Request m_request = Request::Run;
    QString m_scriptPath;
    bool m_startsQueue = false;
    QStringList m_queueEntries;
    bool m_remote = false;
    QList<QUrl> m_leaders;
    QUrl m_standbyOf;
    std::optional<int> m_port;
    bool m_mirrorFollower = false;
    bool m_rotateFollower = false;
    QString m_printPath;
    QString m_mistake;
    int m_exitStatus = 0;
};
