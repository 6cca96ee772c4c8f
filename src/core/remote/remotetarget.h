#pragma once

#include <QString>
#include <QStringList>

#include "core/remote/promptersnapshot.h"
#include "core/remote/remotecommand.h"

// The script as a networked display needs it: the lines of the page it shows, the width its
// lines are broken at, and a number that changes whenever the page is built anew.
struct ScriptCopy {
    QString path;
    QStringList pagelines;
    int generation = 0;
    int layoutWidth = 0;
};

// What remote controls drive: the prompter, or a stand-in in tests.
class RemoteTarget {
public:
    virtual ~RemoteTarget() = default;
    // Carries the command out; an error text for the peer when it cannot (no such queue entry,
    // a script that does not load), else empty.
    virtual QString perform(const RemoteCommand &command) = 0;
    virtual PrompterSnapshot snapshot() const = 0;
    virtual ScriptCopy script() const = 0;
};
