#pragma once
// The simulation's one fixed step of 1/120 s. The time gate and the joint loads work
// with it as the double 0.00833333333; the engine is handed the nearest float
// (0.008333334), which is also what a tool feeds as the frame time of one step.
inline constexpr double STEP_SECONDS = 0.00833333333;
inline constexpr int SUB_STEPS = 4;
