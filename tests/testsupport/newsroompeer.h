#pragma once

#include <memory>

#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QStringList>

// The newsroom system of the tests and benchmarks: tests/mos/peer/newsroom.js, the MOS connection
// library of the Sofie project run by Debian's nodejs as the newsroom, in a process of its own.
// The library is installed with npm into the build tree the first time (a test peer only, never
// shipped); without npm or its registry there is no peer, and `install` says why.
class NewsroomPeer {
public:
    // `directory`: where in the build tree `install` put the library.
    explicit NewsroomPeer(const QString &directory);
    ~NewsroomPeer();

    // Copies the peer from `source` (tests/mos/peer) to `directory` and installs the library there.
    static bool install(const QString &source, const QString &directory, QString &why);

    // Starts the newsroom against the prompter's ports; `extra` as newsroom.js takes them.
    bool start(quint16 lower, quint16 upper, const QString &deviceId, const QStringList &extra = {});
    // Runs one command and gives its result, running the event loop meanwhile (the prompter
    // answers on this thread). A command the newsroom fails gives a warning and a null result.
    QJsonValue ask(const QJsonObject &command, int timeoutMs = 30000);
    void quit();

private:
    QString m_directory;
    std::unique_ptr<QProcess> m_process;
    QByteArray m_output;
};

// A command for the newsroom: {"do": name, ...arguments}.
QJsonObject newsroomcommand(const char *name, const QVariantMap &arguments = {});
