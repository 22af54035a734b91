#pragma once
// A thin layer over Box2D 2.4 that offers the engine calls under the names and shapes
// of Box2D 3, so the rest of the program reads in those terms.
//
// Every value crossing this layer is in world units (10 to the metre, y down),
// forces in mass * units / s^2 and torques in mass * units^2 / s^2. Inside, the
// engine works in metres: lengths and velocities are divided by the length scale,
// forces by it, torques and angular impulses by its square, and densities are
// multiplied by its square so that masses stay equal.
//
// Handles are held by value; the null handle refers to nothing (see b2_handles.h).
#include <raylib.h>

#include <cstdint>

#include "physics/engine/b2_handles.h"

namespace b2v3 {

using b2Vec2 = Vector2;

struct b2Rot {
    float c = 1.0f;
    float s = 0.0f;
};
struct b2Transform {
    b2Vec2 p{0.0f, 0.0f};
    b2Rot q{};
};
b2Rot b2MakeRot(float radians);
float b2Rot_GetAngle(b2Rot q);
b2Vec2 b2TransformPoint(b2Transform t, b2Vec2 p);

// --- world -------------------------------------------------------------------
struct b2WorldDef {
    b2Vec2 gravity{0.0f, -10.0f};
};
b2WorldDef b2DefaultWorldDef();
b2WorldId b2CreateWorld(const b2WorldDef* def);
void b2DestroyWorld(b2WorldId worldId);
// The length scale of every later call on this thread (10 in this program).
void b2SetLengthUnitsPerMeter(float lengthUnits);
float b2GetLengthUnitsPerMeter();
// Threads: the length scale and the handle tables are the calling thread's own, so a
// handle means nothing on another thread and each thread sets its scale. Several threads
// may each run worlds of their own at once once this has run before they start: Box2D 2.4
// fills a table shared by all worlds when the first contact of the process is made.
void b2PrepareForThreads();
// One step of timeStep seconds; subStepCount sets how hard the solver works on it (one
// engine step, two velocity iterations per sub-step). Forces applied before the call act
// over the whole step and are cleared after it.
void b2World_Step(b2WorldId worldId, float timeStep, int subStepCount);
// Gravity in world units per second squared, from the next step on; not a finite vector
// leaves it as it was.
void b2World_SetGravity(b2WorldId worldId, b2Vec2 gravity);
b2Vec2 b2World_GetGravity(b2WorldId worldId);
int b2World_GetBodyCount(b2WorldId worldId);
// Bodies that are neither static nor asleep: a step with none of them changes nothing.
int b2World_GetAwakeBodyCount(b2WorldId worldId);
int b2World_GetJointCount(b2WorldId worldId);

// --- bodies ------------------------------------------------------------------
enum b2BodyType { b2_staticBody = 0, b2_kinematicBody = 1, b2_dynamicBody = 2 };

struct b2BodyDef {
    b2BodyType type = b2_staticBody;
    b2Vec2 position{0.0f, 0.0f};
    b2Rot rotation{};
    b2Vec2 linearVelocity{0.0f, 0.0f};
    float angularVelocity = 0.0f;
    float linearDamping = 0.0f;
    float angularDamping = 0.0f;
    float sleepThreshold = 0.05f;  // metres per second, as in Box2D 3
    const char* name = nullptr;
    void* userData = nullptr;
};
b2BodyDef b2DefaultBodyDef();
b2BodyId b2CreateBody(b2WorldId worldId, const b2BodyDef* def);
void b2DestroyBody(b2BodyId bodyId);  // also destroys its joints
// The name given in the body definition ("" when none).
const char* b2Body_GetName(b2BodyId bodyId);

b2Vec2 b2Body_GetPosition(b2BodyId bodyId);
b2Rot b2Body_GetRotation(b2BodyId bodyId);
b2Transform b2Body_GetTransform(b2BodyId bodyId);
b2Vec2 b2Body_GetLocalPoint(b2BodyId bodyId, b2Vec2 worldPoint);
b2Vec2 b2Body_GetWorldPoint(b2BodyId bodyId, b2Vec2 localPoint);
b2Vec2 b2Body_GetLinearVelocity(b2BodyId bodyId);
float b2Body_GetAngularVelocity(b2BodyId bodyId);
// Whether the body is simulated this step; resting bodies fall asleep and wake on contact,
// on a force or impulse, or when a joint of theirs is destroyed.
bool b2Body_IsAwake(b2BodyId bodyId);
float b2Body_GetMass(b2BodyId bodyId);
// About the centre of mass, kg * units²; 0 for a static or kinematic body.
float b2Body_GetRotationalInertia(b2BodyId bodyId);
// A body's type may change while the world is not stepping: its contacts go (the next
// step finds them again), its joints stay, and it wakes unless it becomes static.
// Becoming static stops it.
void b2Body_SetType(b2BodyId bodyId, b2BodyType type);
b2BodyType b2Body_GetType(b2BodyId bodyId);
// A velocity that is not zero wakes the body; a static body keeps still.
void b2Body_SetLinearVelocity(b2BodyId bodyId, b2Vec2 velocity);
// Moves the body there at once, without waking it or touching its velocity.
void b2Body_SetTransform(b2BodyId bodyId, b2Vec2 position, b2Rot rotation);
// Whether the body may fall asleep; a body kept from sleeping keeps what it touches awake.
void b2Body_EnableSleep(b2BodyId bodyId, bool enableSleep);
void b2Body_ApplyForceToCenter(b2BodyId bodyId, b2Vec2 force, bool wake);
void b2Body_ApplyAngularImpulse(b2BodyId bodyId, float impulse, bool wake);
// The body's shapes as the program made them (a capsule counts once); returns the count copied.
int b2Body_GetShapes(b2BodyId bodyId, b2ShapeId* shapeArray, int capacity);

struct b2ContactData {
    b2ShapeId shapeIdA{};
    b2ShapeId shapeIdB{};
};
// The body's touching contacts; returns the count copied.
int b2Body_GetContactData(b2BodyId bodyId, b2ContactData* contactData, int capacity);

// --- shapes ------------------------------------------------------------------
inline constexpr int b2_maxPolygonVertices = 8;

struct b2Polygon {
    b2Vec2 vertices[b2_maxPolygonVertices]{};
    b2Vec2 normals[b2_maxPolygonVertices]{};
    b2Vec2 centroid{0.0f, 0.0f};
    float radius = 0.0f;  // kept for the record; Box2D 2.4 polygons have no rounding
    int count = 0;
};
struct b2Hull {
    b2Vec2 points[b2_maxPolygonVertices]{};
    int count = 0;
};
struct b2Capsule {
    b2Vec2 center1{0.0f, 0.0f};
    b2Vec2 center2{0.0f, 0.0f};
    float radius = 0.0f;
};
b2Polygon b2MakeBox(float halfWidth, float halfHeight);
b2Hull b2ComputeHull(const b2Vec2* points, int count);  // count 0 when no hull exists
b2Polygon b2MakePolygon(const b2Hull* hull, float radius);

struct b2Filter {
    std::uint64_t categoryBits = 1;
    std::uint64_t maskBits = ~std::uint64_t{0};
    int groupIndex = 0;
};
struct b2ShapeDef {
    float density = 1.0f;
    float friction = 0.6f;
    float restitution = 0.0f;
    b2Filter filter{};
    void* userData = nullptr;
};
b2ShapeDef b2DefaultShapeDef();
b2ShapeId b2CreatePolygonShape(b2BodyId bodyId, const b2ShapeDef* def, const b2Polygon* polygon);
// A capsule: one rounded eight-sided polygon around the two centres (a box between them
// and a circle at each centre when too thin for that); always one logical shape.
b2ShapeId b2CreateCapsuleShape(b2BodyId bodyId, const b2ShapeDef* def, const b2Capsule* capsule);

enum b2ShapeType { b2_circleShape, b2_capsuleShape, b2_segmentShape, b2_polygonShape, b2_chainSegmentShape };
b2ShapeType b2Shape_GetType(b2ShapeId shapeId);
b2Polygon b2Shape_GetPolygon(b2ShapeId shapeId);
b2Capsule b2Shape_GetCapsule(b2ShapeId shapeId);
b2Filter b2Shape_GetFilter(b2ShapeId shapeId);
b2BodyId b2Shape_GetBody(b2ShapeId shapeId);

// --- joints ------------------------------------------------------------------
struct b2RevoluteJointDef {
    b2BodyId bodyIdA{};
    b2BodyId bodyIdB{};
    b2Vec2 localAnchorA{0.0f, 0.0f};
    b2Vec2 localAnchorB{0.0f, 0.0f};
    float referenceAngle = 0.0f;
    bool enableSpring = false;
    float hertz = 0.0f;
    float dampingRatio = 0.0f;
    bool enableLimit = false;
    float lowerAngle = 0.0f;
    float upperAngle = 0.0f;
    bool enableMotor = false;
    float maxMotorTorque = 0.0f;
    float motorSpeed = 0.0f;
    float drawSize = 0.25f;
    bool collideConnected = false;
    void* userData = nullptr;
};
b2RevoluteJointDef b2DefaultRevoluteJointDef();
b2JointId b2CreateRevoluteJoint(b2WorldId worldId, const b2RevoluteJointDef* def);

// Holds two bodies' anchors together and the angle between them. Hertz 0 is rigid; an
// angular hertz above 0 makes the angle a spring whose stiffness and damping are those of
// that frequency and damping ratio on the joint's angular mass 1 / (1/IA + 1/IB), taken from
// the bodies when the joint is made. The linear part is always rigid in this layer: a
// linear hertz is kept for the record only.
struct b2WeldJointDef {
    b2BodyId bodyIdA{};
    b2BodyId bodyIdB{};
    b2Vec2 localAnchorA{0.0f, 0.0f};
    b2Vec2 localAnchorB{0.0f, 0.0f};
    float referenceAngle = 0.0f;  // body B's angle minus body A's where the spring rests
    float linearHertz = 0.0f;
    float angularHertz = 0.0f;
    float linearDampingRatio = 1.0f;
    float angularDampingRatio = 1.0f;
    bool collideConnected = false;
    void* userData = nullptr;
};
b2WeldJointDef b2DefaultWeldJointDef();
b2JointId b2CreateWeldJoint(b2WorldId worldId, const b2WeldJointDef* def);
// Where the angular spring rests, from the next step on; a value that is not finite is
// ignored. The angle between the bodies is taken within half a turn of it.
void b2WeldJoint_SetReferenceAngle(b2JointId jointId, float angleInRadians);
float b2WeldJoint_GetReferenceAngle(b2JointId jointId);

enum b2JointType { b2_revoluteJoint, b2_weldJoint };
// The joint's kind (revolute for a handle no longer live).
b2JointType b2Joint_GetType(b2JointId jointId);
void b2DestroyJoint(b2JointId jointId);
// The joint's reaction force and torque (on body B) in the last step.
b2Vec2 b2Joint_GetConstraintForce(b2JointId jointId);
float b2Joint_GetConstraintTorque(b2JointId jointId);
b2BodyId b2Joint_GetBodyA(b2JointId jointId);
b2BodyId b2Joint_GetBodyB(b2JointId jointId);
b2Vec2 b2Joint_GetLocalAnchorA(b2JointId jointId);
b2Vec2 b2Joint_GetLocalAnchorB(b2JointId jointId);
// Body B's angle minus body A's, less the reference angle; 0 for a joint not revolute.
float b2RevoluteJoint_GetAngle(b2JointId jointId);

}  // namespace b2v3

#ifndef B2LAYER_IMPLEMENTATION
using namespace b2v3;  // NOLINT: the layer stands in for the engine's global names
#endif
