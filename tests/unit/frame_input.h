#pragma once
// Input snapshots for driving whole frames in tests.
#include <initializer_list>

#include "app/input.h"
#include "physics/random_int.h"

inline InputSnapshot frame(float frameTime) {
    InputSnapshot in;
    in.frameTime = frameTime;
    in.mouse = Vector2{600, 600};
    return in;
}

inline InputSnapshot withKeys(InputSnapshot in, std::initializer_list<int> keys) {
    for (int key : keys) {
        in.keyPressed.set(static_cast<std::size_t>(key));
        in.keyDown.set(static_cast<std::size_t>(key));
    }
    return in;
}

inline const RandomInt lowest = [](int lo, int) { return lo; };
