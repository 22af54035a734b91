#pragma once
// Handles of the physics layer. A handle names a slot of the layer's table for its
// kind (index1 = slot + 1, so the all-zero handle is null) and the generation the
// slot had when the object was made. Destroying the object, by hand or along with its
// body or world, moves the slot to a new generation, so every handle kept from before
// stops being live, even when the engine later puts a new object at the same address.

#include <cstdint>

template <class Kind>
struct b2Handle {
    std::int32_t index1 = 0;
    std::uint32_t generation = 0;
};

template <class Kind>
bool operator==(b2Handle<Kind> a, b2Handle<Kind> b) {
    return a.index1 == b.index1 && a.generation == b.generation;
}

using b2WorldId = b2Handle<struct b2WorldKind>;
using b2BodyId = b2Handle<struct b2BodyKind>;
using b2JointId = b2Handle<struct b2JointKind>;
using b2ShapeId = b2Handle<struct b2ShapeKind>;

// True while the object the handle was made for exists.
bool isLive(b2WorldId id);
bool isLive(b2BodyId id);
bool isLive(b2JointId id);
bool isLive(b2ShapeId id);
