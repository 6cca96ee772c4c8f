#pragma once

#include <functional>

#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The built program run as a process of its own on the offscreen platform, with a settings folder
// of its own, reached only through its control API on loopback: prompters and standbys side by
// side on one computer.
class PrompterProcess {
public:
    // `settings`: the settings file's text ("[Remote]\nToken=..."), empty for none; the token
    // found there is shown with every request.
    PrompterProcess(quint16 port, const QStringList &arguments, const QString &settings = {});
    ~PrompterProcess();
    PrompterProcess(const PrompterProcess &) = delete;
    PrompterProcess &operator=(const PrompterProcess &) = delete;

    // A port no program on this computer listens on now.
    static quint16 freePort();
    // A plain script of `lines` numbered lines, in `folder`.
    static QString numberedScript(const QString &folder, int lines);

    // The control API's state; empty while it does not answer.
    QJsonObject state() const;
    // Sends a command message; the answer, empty when there is none, and its HTTP status.
    QJsonObject command(const QByteArray &message, int *status = nullptr) const;
    // Waits (on the event loop) until the state passes `wanted`, at most `timeoutMs`.
    bool waitForState(const std::function<bool(const QJsonObject &)> &wanted, int timeoutMs) const;
    // Ends it as a crash or a power cut would (SIGKILL).
    void kill();
    // Stops it as a hung machine would (SIGSTOP): its connections stay open, and it answers
    // nothing until it goes on (false).
    void setFrozen(bool frozen);
    quint16 port() const { return m_port; }
    // The control API's answer at `path`: fetched, or with a body posted.
    QJsonObject request(const QString &path, const QByteArray &body = {}, int *status = nullptr) const;

private:
    quint16 m_port;
    QByteArray m_token;
    QTemporaryDir m_config;
    QProcess m_process;
};
