#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals that ask a program to end (SIGTERM from a shutdown or `kill`, SIGINT from
// Ctrl+C, SIGHUP from a closed terminal) into a Qt signal in the event loop, so that the program
// can end as its Exit command does. The handler itself only writes the signal's number to a pipe,
// the one thing it may safely do; the event loop reads it. Once a request has been reported, a
// second signal ends the program at once, as if nothing were installed. One instance at a time.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject *parent = nullptr);
    ~ExitSignals() override;

signals:
    void exitRequested(int signal);

private:
    static void handle(int signal);
    void readPipe();
    void restoreDefaults();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};
