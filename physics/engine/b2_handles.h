#pragma once
// Handles of the physics layer. Each wraps the engine object it refers to; the
// null handle is all zero and a handle is live when it refers to something.

class b2World;
class b2Body;
class b2Joint;
class b2Fixture;

struct b2WorldId { b2World* index = nullptr; };
struct b2BodyId { b2Body* index = nullptr; };
struct b2JointId { b2Joint* index = nullptr; };
struct b2ShapeId { b2Fixture* index = nullptr; };

inline bool isLive(b2WorldId id) { return id.index != nullptr; }
inline bool isLive(b2BodyId id) { return id.index != nullptr; }
inline bool isLive(b2JointId id) { return id.index != nullptr; }
inline bool isLive(b2ShapeId id) { return id.index != nullptr; }

inline bool operator==(b2ShapeId a, b2ShapeId b) { return a.index == b.index; }
inline bool operator==(b2BodyId a, b2BodyId b) { return a.index == b.index; }
inline bool operator==(b2JointId a, b2JointId b) { return a.index == b.index; }
