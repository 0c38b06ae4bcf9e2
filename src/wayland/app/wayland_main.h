#pragma once
// The program on Wayland, and the choice of front end at start.
namespace qv::wl {

// WAYLAND_DISPLAY (or WAYLAND_SOCKET) is set and neither QUORVANEL_BACKEND=x11 nor the flag
// --x11 asks for X11; or QUORVANEL_BACKEND=wayland / --wayland asks for Wayland.
bool WaylandChosen(int argc, char** argv);
// Runs the whole program on the Wayland compositor; returns the exit code.
int RunOnWayland();

}  // namespace qv::wl
