#pragma once

#include <optional>

#include <QList>
#include <QStringList>

#include "core/controllers/axisresponse.h"
#include "core/controllers/controllercontrol.h"

// A control of a device bound to a command of the control API.
struct ControllerBinding {
    static constexpr int maxLinesPerStep = 100;

    ControllerControl control;
    QString command;
    AxisResponse axis; // an axis bound to "speed": how its position sets the speed
    int lines = 1;     // a dial bound to "jump-lines": the lines one step moves the page

    bool operator==(const ControllerBinding &) const = default;

    // "axis/lefty=speed centre-stop linear 10 300 reversed", "dial/REL_DIAL=jump-lines 2",
    // "button/a=toggle-pause", and back; nothing for an entry that cannot be read or binds what
    // the control cannot do.
    QString entry() const;
    static std::optional<ControllerBinding> fromEntry(const QString &entry);
};

// One device's bindings: which control does what.
//
// A button acts when pressed and not when released; a switch is switched over. An axis bound to
// "speed" sets the speed from its position (AxisResponse); bound to another command, it acts when
// pushed past half its travel from its stop, as a button. A dial bound to "jump-lines" glides the
// page by lines, its steps times `lines`.
class ControllerBindings {
public:
    // The commands a control of that kind can be bound to.
    static QStringList bindableCommands(ControllerControl::Kind kind);

    const QList<ControllerBinding> &bindings() const { return m_bindings; }
    const ControllerBinding *bindingFor(const ControllerControl &control) const;
    // Binds the control in place of what it did before; false for a command it cannot take.
    bool bind(const ControllerBinding &binding);
    void forget(const ControllerControl &control);
    bool isEmpty() const { return m_bindings.isEmpty(); }

    bool operator==(const ControllerBindings &) const = default;

private:
    QList<ControllerBinding> m_bindings;
};
