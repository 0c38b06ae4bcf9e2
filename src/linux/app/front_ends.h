#pragma once
// The two Linux front ends, as the program's entry picks one; each defines its own.
namespace qv {

// Runs the whole program on the X server ($DISPLAY); returns the exit code.
int RunOnX11();
// Runs the whole program on the Wayland compositor; returns the exit code.
int RunOnWayland();

}  // namespace qv
