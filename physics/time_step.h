#pragma once
// The simulation's one fixed step of 1/120 s. The time gate and the joint loads work
// with it as the double 0.00833333333; the engine is handed the nearest float
// (0.008333334), which is also what a tool feeds as the frame time of one step.
inline constexpr double STEP_SECONDS = 0.00833333333;
inline constexpr int SUB_STEPS = 4;
// Engine steps per world step while moment connections are built, at least the first and
// at most the second. The engine's soft angular spring is implicit: at one step of 1/120 s
// it damps a 0.2 s sway by some 13% of critical, more than the whole damping asked for.
// Its share shrinks with the step, and the connections' own damping is lowered by it
// (moment_connections.cpp), which needs steps shorter than the damping asked for allows.
inline constexpr int MOMENT_SUB_STEPS = 4;
inline constexpr int MOST_MOMENT_SUB_STEPS = 16;
