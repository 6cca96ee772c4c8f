#pragma once

#include "core/prompter/scriptposition.h"
#include "core/remote/promptersnapshot.h"

// A standby's mirror of its prompter: the prompter's last state, its time on the standby's
// clock, and where the prompter's page stands by it at any moment, as the standby's page must
// stand while it mirrors and when it takes over.
class ShowMirror {
public:
    void setState(const PrompterSnapshot &state)
    {
        m_state = state;
        m_known = true;
    }
    void forget() { m_known = false; }
    bool isKnown() const { return m_known; }
    const PrompterSnapshot &state() const { return m_state; }
    ScriptMotion motion() const { return snapshotmotion(m_state); }
    // Where the prompter's page stands in the script at `time` (milliseconds since the epoch, the
    // standby's clock), moved on from its last state and kept within the script.
    double scriptAt(double time) const;
    // How far a page that stood at `script` at `time` is from the prompter's, in pixels.
    double errorAt(double script, double time) const;

private:
    PrompterSnapshot m_state;
    bool m_known = false;
};
