// Engine layer, the world: creation, the length scale, stepping and springs.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>
#include <cmath>

using namespace b2layer;

namespace b2v3 {

// --- math --------------------------------------------------------------------
b2Rot b2MakeRot(float radians) { return b2Rot{std::cos(radians), std::sin(radians)}; }
float b2Rot_GetAngle(b2Rot q) { return std::atan2(q.s, q.c); }
b2Vec2 b2TransformPoint(b2Transform t, b2Vec2 p) {
    return b2Vec2{t.q.c * p.x - t.q.s * p.y + t.p.x, t.q.s * p.x + t.q.c * p.y + t.p.y};
}

// --- world -------------------------------------------------------------------
b2WorldDef b2DefaultWorldDef() { return b2WorldDef{}; }

b2WorldId b2CreateWorld(const b2WorldDef* def) {
    WorldInfo* info = new WorldInfo();
    if (def != nullptr && finite(def->gravity)) info->gravity = def->gravity;
    info->world = new b2World(toEngine(info->gravity));
    info->world->SetAutoClearForces(false);
    // No continuous collision: it cost more than all else in a large structure's step.
    // Whoever needs fast bodies kept out of a static shape makes that shape deep.
    info->world->SetContinuousPhysics(false);
    info->world->SetDestructionListener(&info->releaser);
    info->slot = worldTable().take(info);
    return worldTable().handle(info->slot);
}

void b2DestroyWorld(b2WorldId worldId) {
    WorldInfo* info = resolve(worldId);
    if (info == nullptr) return;
    b2World* world = info->world;
    info->springs.clear();  // all going: no need to look each one up
    for (b2Joint* j = world->GetJointList(); j != nullptr; j = j->GetNext()) releaseJoint(j);
    for (b2Body* b = world->GetBodyList(); b != nullptr; b = b->GetNext()) releaseBodyRecords(b);
    world->SetDestructionListener(nullptr);
    delete world;
    worldTable().release(info->slot);
    delete info;
}

void b2SetLengthUnitsPerMeter(float lengthUnits) {
    if (std::isfinite(lengthUnits) && lengthUnits > 0.0f) lengthScale() = lengthUnits;
}
float b2GetLengthUnitsPerMeter() { return lengthScale(); }

void b2PrepareForThreads() {
    // Two overlapping discs make a contact in the first step, which fills the table.
    b2World world(::b2Vec2(0.0f, 0.0f));
    ::b2CircleShape disc;
    disc.m_radius = 1.0f;
    for (int i = 0; i < 2; ++i) {
        ::b2BodyDef def;
        def.type = ::b2_dynamicBody;
        def.position.Set(0.5f * static_cast<float>(i), 0.0f);
        world.CreateBody(&def)->CreateFixture(&disc, 1.0f);
    }
    world.Step(1.0f / 120.0f, 1, 1);
}

void b2World_Step(b2WorldId worldId, float timeStep, int subStepCount) {
    WorldInfo* info = resolve(worldId);
    if (info == nullptr || !std::isfinite(timeStep) || timeStep <= 0.0f) return;
    const int velocityIterations = VELOCITY_ITERATIONS_PER_SUB_STEP * std::max(1, subStepCount);
    b2World* world = info->world;
    // Gravity is kept in world units and converted with the scale in force now, so a
    // world made before the scale was set still falls at the right rate.
    world->SetGravity(toEngine(info->gravity));
    applySprings(*info, timeStep);
    world->Step(timeStep, velocityIterations, POSITION_ITERATIONS);
    world->ClearForces();
    info->inverseStep = 1.0f / timeStep;
}

void b2World_SetGravity(b2WorldId worldId, b2Vec2 gravity) {
    WorldInfo* info = resolve(worldId);
    if (info != nullptr && finite(gravity)) info->gravity = gravity;
}
b2Vec2 b2World_GetGravity(b2WorldId worldId) {
    WorldInfo* info = resolve(worldId);
    return info != nullptr ? info->gravity : b2Vec2{0.0f, 0.0f};
}

int b2World_GetBodyCount(b2WorldId worldId) {
    WorldInfo* info = resolve(worldId);
    return info != nullptr ? info->world->GetBodyCount() : 0;
}
int b2World_GetAwakeBodyCount(b2WorldId worldId) {
    WorldInfo* info = resolve(worldId);
    if (info == nullptr) return 0;
    int awake = 0;
    for (const b2Body* b = info->world->GetBodyList(); b != nullptr; b = b->GetNext()) {
        awake += (b->GetType() != ::b2_staticBody && b->IsAwake()) ? 1 : 0;
    }
    return awake;
}
int b2World_GetJointCount(b2WorldId worldId) {
    WorldInfo* info = resolve(worldId);
    return info != nullptr ? info->world->GetJointCount() : 0;
}

}  // namespace b2v3
