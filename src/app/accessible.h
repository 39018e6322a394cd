#pragma once

namespace velkaram {

// Tells assistive technology what the program's own controls are: a click
// area the keyboard can press is a button, a drawing box shows a progress
// value or a text. Safe to call more than once.
void installAccessibleControls();

} // namespace velkaram
