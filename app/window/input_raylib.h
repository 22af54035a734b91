#pragma once
// Reads the window's keyboard, mouse and clock once per frame into a snapshot.
#include "app/input.h"

// After the window is open: the window's presses and releases are also counted as they
// arrive (chained to the windowing library's own handlers), so the snapshots see quick
// clicks and key taps that fall between two frames.
void watchWindowInput();
InputSnapshot readInputSnapshot();
// The windowing library's own random integers, in [lo, hi].
int raylibRandomInt(int lo, int hi);
