#pragma once

#include <QString>
#include <atomic>
#include <thread>

// A desktop's session manager as far as a logout goes (the X session management protocol, through
// libSM): programs started with `address()` as SESSION_MANAGER join it; `endSession()` asks them to
// save for a shutdown, as a logout does, and `letDie()` then tells them to end. It listens on the
// local transport only, and works on a thread of its own: a program that joins waits for its
// answers, also while the flow waits for windows.
class SessionManager {
public:
    SessionManager();
    ~SessionManager();
    SessionManager(const SessionManager &) = delete;
    SessionManager &operator=(const SessionManager &) = delete;

    // The value of SESSION_MANAGER for the programs to join; empty when it could not listen
    // (then error() says why).
    QString address() const { return m_address; }
    QString error() const { return m_error; }

    // Programs that have joined so far.
    int clients() const { return m_clients; }
    // Asks every program to save for a shutdown; a program answers once it has.
    void endSession() { m_endRequested = true; }
    // Answers to the last request to save: how many, and whether all were successful.
    int saved() const { return m_saved; }
    bool savedAll() const { return m_savedAll; }
    // Tells every program to end, as the session manager does once all have saved.
    void letDie() { m_dieRequested = true; }

private:
    void run();

    QString m_address;
    QString m_error;
    std::atomic<int> m_clients{0};
    std::atomic<int> m_saved{0};
    std::atomic<bool> m_savedAll{true};
    std::atomic<bool> m_endRequested{false};
    std::atomic<bool> m_dieRequested{false};
    std::atomic<bool> m_stop{false};
    struct Listener;
    Listener *m_listener = nullptr;
    std::thread m_thread;
};
