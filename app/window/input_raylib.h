#pragma once
// Reads the window's keyboard, mouse and clock once per frame into a snapshot.
#include "app/input.h"
#include "ui/backend/imgui_impl_raylib.h"

// After the window is open: the window's presses and releases are also counted as they
// arrive (chained to the windowing library's own handlers), so the snapshots see quick
// clicks and key taps that fall between two frames.
void watchWindowInput();
// Also gives the panel the presses and releases the snapshot took, in the order they
// came, so a quick click on a panel button counts as one in the scene does.
InputSnapshot readInputSnapshot(ImGui_ImplRaylib_FrameEvents& panelEvents);
// The windowing library's own random integers, in [lo, hi].
int raylibRandomInt(int lo, int hi);
