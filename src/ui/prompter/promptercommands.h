#pragma once

#include <functional>

#include <QHash>
#include <QList>
#include <QObject>

#include "core/commands/commandmap.h"
#include "core/remote/promptersnapshot.h"
#include "core/remote/remotecommand.h"

class QAction;

// The prompter's commands, wherever they come from: a key, a clicker, a toolbar image, a menu
// entry, a click on the page or a remote control. The window and each feature register what
// their commands do and what they add to the prompter's state; the controls find their command
// in the command map (commandmap.h) and perform it here, so that every way of sending a command
// does the same.
class PrompterCommands : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<QString(const RemoteCommand &command, CommandSource source)>;

    explicit PrompterCommands(QObject *parent = nullptr);

    // What `action` does; an error text for the sender when it cannot be done, else empty.
    void handle(RemoteAction action, Handler handler);
    // Told what became of a command: empty when it was carried out, else why not.
    using Answer = std::function<void(const QString &error)>;
    // Carries the command out and tells `answer`: at once, or, for a command the relay passes
    // on, when its answer comes. One that moves the page or changes its speed is the operator's
    // and takes the page over from voice following first (takingOver).
    void perform(const RemoteCommand &command, CommandSource source, const Answer &answer);
    // The same, answered at once: a command passed on answers empty here, and its refusal, when
    // it comes, is told to the operator (relayRefused).
    QString perform(const RemoteCommand &command, CommandSource source);
    QString perform(RemoteAction action, CommandSource source);

    // While set, every command is offered to the relay first: one it takes (returning true) is
    // not performed here, and the relay answers it, now or later. A standby passes commands on
    // to its prompter.
    using Relay = std::function<bool(const RemoteCommand &command, const Answer &answer)>;
    void setRelay(Relay relay) { m_relay = std::move(relay); }

    // A key or click is taken by `guard` instead of acting when it returns true (a countdown
    // under way is cancelled by any key or click).
    void addInputGuard(std::function<bool()> guard);
    bool inputGuarded() const;

    // A menu entry carries the command the map binds it to: its key is shown beside it, and a
    // checkable entry sends its new state as the switch's value.
    void bindMenuEntry(QAction *entry);

    // The prompter's state as it is told to remote controls, each part from whoever owns it.
    void addStatePart(std::function<void(PrompterSnapshot &)> part);
    PrompterSnapshot snapshot() const;
    // The operator has taken the page over by hand (a press on the toolbar, the speed slider, a
    // key or a click): voice following goes off.
    void takeOver() { emit takingOver(); }
    // Something the state tells has changed.
    void notifyStateChanged() { emit stateChanged(); }

signals:
    // The operator takes the page over: voice following goes off.
    void takingOver();
    void stateChanged();
    // A command given here and passed on was refused: the operator is told why.
    void relayRefused(const QString &error);

private:
    QString performHere(const RemoteCommand &command, CommandSource source);

    QHash<int, Handler> m_handlers;
    Relay m_relay;
    QList<std::function<bool()>> m_guards;
    QList<std::function<void(PrompterSnapshot &)>> m_stateParts;
};
