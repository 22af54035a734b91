#pragma once
// Records of one ragdoll figure.
#include "physics/engine/b2_handles.h"

#include <cstdint>

inline constexpr int HUMAN_BONE_COUNT = 11;

struct Bone {
    b2BodyId bodyId{};
    b2JointId jointId{};
    float frictionScale = 1.0f;
    std::int32_t parentIndex = -1;
};

struct Human {
    Bone bones[HUMAN_BONE_COUNT]{};
    float frictionTorque = 0.0f;
    float originalScale = 0.0f;
    float scale = 0.0f;
    bool isSpawned = false;
};

// Program-wide state of the K key: figures are numbered from 1 and never reset;
// the spin of each new figure comes from a xorshift sequence starting at 12345.
struct HumanSpawner {
    float ragdollCount = 0.0f;
    std::uint32_t spinState = 12345u;
};
