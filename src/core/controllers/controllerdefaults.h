#pragma once

#include "core/controllers/controllerbindings.h"
#include "core/controllers/controllerdevice.h"

// What a device does before the operator binds anything: a game pad's left stick is the speed
// and its buttons run, reverse and step through markers and scripts; Contour's shuttle ring is
// the speed and its jog dial nudges the page by lines, and the ShuttleXpress's five buttons step
// through scripts and markers and pause. Other devices do nothing until they are bound.
ControllerBindings defaultbindings(const ControllerDevice &device);
