#include "core/controllers/controllerdefaults.h"

namespace {

ControllerBinding press(const char *code, const char *command)
{
    return ControllerBinding{
        {ControllerControl::Kind::Button, QLatin1String(code)}, QLatin1String(command), {}, 1};
}

ControllerBinding speedAxis(const char *code, const AxisResponse &response)
{
    return ControllerBinding{
        {ControllerControl::Kind::Axis, QLatin1String(code)}, QStringLiteral("speed"), response, 1};
}

ControllerBinding jogDial(const char *code)
{
    return ControllerBinding{
        {ControllerControl::Kind::Dial, QLatin1String(code)}, QStringLiteral("jump-lines"), {}, 1};
}

ControllerBindings gamepad()
{
    // Pushed up, the stick runs the script forward; a little play around the middle is stop.
    AxisResponse stick;
    stick.mode = AxisResponse::Mode::CentreStop;
    stick.curve = AxisResponse::Curve::Exponential;
    stick.deadZone = 15;
    stick.reversed = true;
    ControllerBindings bindings;
    for (const ControllerBinding &binding : {
             speedAxis("lefty", stick),
             press("a", "toggle-pause"),
             press("b", "reverse"),
             press("x", "previous-marker"),
             press("y", "next-marker"),
             press("leftshoulder", "previous-script"),
             press("rightshoulder", "next-script"),
             press("dpup", "back-lines"),
             press("dpdown", "forward-lines"),
             press("dpleft", "speed-down"),
             press("dpright", "speed-up"),
         })
        bindings.bind(binding);
    return bindings;
}

ControllerBindings shuttle(const ControllerDevice &device)
{
    // The ring springs back to its middle, which is stop; turned clockwise the script runs
    // forward. Its seven steps a side give fine speeds first.
    AxisResponse ring;
    ring.mode = AxisResponse::Mode::CentreStop;
    ring.curve = AxisResponse::Curve::Exponential;
    ring.deadZone = 0;
    ControllerBindings bindings;
    bindings.bind(speedAxis("REL_WHEEL", ring));
    bindings.bind(jogDial("REL_DIAL"));
    // The ShuttleXpress's five buttons, left to right.
    if (device.product == shuttlexpress().product && device.vendor == shuttlexpress().vendor)
        for (const ControllerBinding &binding : {
                 press("BTN_4", "previous-script"),
                 press("BTN_5", "previous-marker"),
                 press("BTN_6", "toggle-pause"),
                 press("BTN_7", "next-marker"),
                 press("BTN_8", "next-script"),
             })
            bindings.bind(binding);
    return bindings;
}

} // namespace

ControllerBindings defaultbindings(const ControllerDevice &device)
{
    if (device.kind == ControllerDevice::Kind::GamePad)
        return gamepad();
    if (isshuttle(device))
        return shuttle(device);
    return {};
}
