#pragma once

#include <QObject>

#include "core/remote/remotetarget.h"

class TForm1;

// The prompter as remote controls see it: each command does what the operator's key, toolbar
// image or menu item for it does, and every change of the prompter's state or page is told to
// the listeners.
class PrompterRemote : public QObject, public RemoteTarget {
    Q_OBJECT
public:
    explicit PrompterRemote(TForm1 *prompter, QObject *parent = nullptr);

    QString perform(const RemoteCommand &command) override;
    PrompterSnapshot snapshot() const override;
    ScriptCopy script() const override;

signals:
    void stateChanged();
    // The page was built anew: a new script, or the same one with other modes.
    void scriptChanged();

private:
    QString loadQueueEntry(int index);
    void setSwitch(bool now, const std::optional<bool> &wanted, void (TForm1::*flip)());

    TForm1 *m_prompter;
    int m_generation = 0;
};
