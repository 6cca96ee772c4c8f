#pragma once

#include <QObject>

#include "core/remote/remotetarget.h"

class Browser;
class PrompterCommands;
class PrompterView;

// The prompter as remote controls see it: each command is performed as the operator's key,
// toolbar image or menu entry for it is (PrompterCommands), and every change of the prompter's
// state or page is told to the listeners.
class PrompterRemote : public QObject, public RemoteTarget {
    Q_OBJECT
public:
    PrompterRemote(PrompterCommands &commands, const PrompterView &view, Browser &page,
                   QObject *parent = nullptr);

    QString perform(const RemoteCommand &command) override;
    PrompterSnapshot snapshot() const override;
    ScriptCopy script() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // Also when the page's width changes: its networked displays break their lines anew.
    void stateChanged();
    // The page was built anew: a new script, or the same one with other modes.
    void scriptChanged();

private:
    PrompterCommands &m_commands;
    const PrompterView &m_view;
    Browser &m_page;
    int m_generation = 0;
};
