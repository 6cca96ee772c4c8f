#pragma once

#include <QObject>

// The desktop's request that the program quit: the session manager's word at the end of a session
// (logout, shutdown), after it asked the program to save. It is told before the application
// closes its windows, so that the program can close them itself without asking the user, who is
// leaving; the application then goes on to quit.
class QuitRequest : public QObject {
    Q_OBJECT
public:
    explicit QuitRequest(QObject *parent = nullptr);

signals:
    void requested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
