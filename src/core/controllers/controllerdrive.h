#pragma once

#include <optional>

#include <QHash>

#include "core/controllers/controllerbindings.h"
#include "core/remote/remotecommand.h"

// Turns what the controls do into commands, as a prompter's hand controller drives it:
//
// - A device's state when it is found (its initial events) sets nothing going: plugging a pad in
//   mid-show, its stick off centre, leaves the speed where it is.
// - An axis on the speed sends a speed only when the speed it stands for changes, so a stick
//   trembling at rest does not fight the keyboard, and a keyboard's speed holds until the axis
//   is moved. Where every control stands is followed whether it is bound or not, so a control
//   bound anew acts from where it stands, not from nowhere.
// - A press acts once, on the press; an axis bound to a command acts when pushed past half its
//   travel, and again only after it came back.
class ControllerDrive {
public:
    // The command `event` asks for under `binding` (none: the control is not bound); nothing
    // when it asks for none.
    std::optional<RemoteCommand> commandFor(const ControllerEvent &event, const ControllerBinding *binding);
    // The connection `instance` has gone: what was known of its controls is forgotten.
    void forget(const QString &instance);

private:
    QHash<QString, double> m_values; // where each control stood last, by instance and control
};
