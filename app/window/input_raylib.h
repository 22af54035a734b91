#pragma once
// Reads the window's keyboard, mouse and clock once per frame into a snapshot.
#include "app/input.h"

InputSnapshot readInputSnapshot();
// The windowing library's own random integers, in [lo, hi].
int raylibRandomInt(int lo, int hi);
