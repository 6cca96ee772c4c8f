#pragma once

// The value an arrow key or a click on a slider's track gives: the multiple of `increment` next
// above (or below) the value's nearest multiple, where a value halfway between two multiples
// counts as the even one; clamped to minimum..maximum.
int steppedvalue(int value, int increment, int minimum, int maximum, bool upward);
