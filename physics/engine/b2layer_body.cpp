// Engine layer, bodies: creation, destruction, queries, forces, shapes and contacts of a body.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>
#include <cmath>

using namespace b2layer;

namespace b2v3 {

// --- bodies ------------------------------------------------------------------
b2BodyDef b2DefaultBodyDef() { return b2BodyDef{}; }

b2BodyId b2CreateBody(b2WorldId worldId, const b2BodyDef* def) {
    if (!isLive(worldId) || def == nullptr) return b2BodyId{};
    if (!finite(def->position) || !finite(def->rotation.c) || !finite(def->rotation.s) ||
        !finite(def->linearVelocity) || !finite(def->angularVelocity)) {
        return b2BodyId{};
    }
    ::b2BodyDef bd;
    switch (def->type) {
        case b2_dynamicBody: bd.type = ::b2_dynamicBody; break;
        case b2_kinematicBody: bd.type = ::b2_kinematicBody; break;
        default: bd.type = ::b2_staticBody; break;
    }
    bd.position = toEngine(def->position);
    bd.angle = std::atan2(def->rotation.s, def->rotation.c);
    bd.linearVelocity = toEngine(def->linearVelocity);
    bd.angularVelocity = def->angularVelocity;
    bd.linearDamping = sanitizedNonNegative(def->linearDamping, 0.0f);
    bd.angularDamping = sanitizedNonNegative(def->angularDamping, 0.0f);
    BodyInfo* info = new BodyInfo();
    if (def->name != nullptr) info->name = def->name;
    info->userData = def->userData;
    bd.userData.pointer = reinterpret_cast<uintptr_t>(info);
    b2Body* body = worldId.index->CreateBody(&bd);
    gLiveBodies.insert(body);
    return b2BodyId{body};
}

void b2DestroyBody(b2BodyId bodyId) {
    b2Body* body = bodyId.index;
    if (body == nullptr || gLiveBodies.count(body) == 0) return;
    b2World* world = body->GetWorld();
    delete bodyInfo(body);
    body->GetUserData().pointer = 0;
    gLiveBodies.erase(body);
    // The world's release listener frees the records of its joints and fixtures.
    world->DestroyBody(body);
}

const char* b2Body_GetName(b2BodyId bodyId) {
    if (!isLive(bodyId)) return "";
    BodyInfo* info = bodyInfo(bodyId.index);
    return info != nullptr ? info->name.c_str() : "";
}

b2Vec2 b2Body_GetPosition(b2BodyId bodyId) {
    return isLive(bodyId) ? fromEngine(bodyId.index->GetPosition()) : b2Vec2{0.0f, 0.0f};
}
b2Rot b2Body_GetRotation(b2BodyId bodyId) {
    if (!isLive(bodyId)) return b2Rot{};
    const ::b2Rot& q = bodyId.index->GetTransform().q;
    return b2Rot{q.c, q.s};
}
b2Transform b2Body_GetTransform(b2BodyId bodyId) {
    return b2Transform{b2Body_GetPosition(bodyId), b2Body_GetRotation(bodyId)};
}
b2Vec2 b2Body_GetLocalPoint(b2BodyId bodyId, b2Vec2 worldPoint) {
    if (!isLive(bodyId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(bodyId.index->GetLocalPoint(toEngine(worldPoint)));
}
b2Vec2 b2Body_GetWorldPoint(b2BodyId bodyId, b2Vec2 localPoint) {
    if (!isLive(bodyId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(bodyId.index->GetWorldPoint(toEngine(localPoint)));
}
b2Vec2 b2Body_GetLinearVelocity(b2BodyId bodyId) {
    return isLive(bodyId) ? fromEngine(bodyId.index->GetLinearVelocity()) : b2Vec2{0.0f, 0.0f};
}
float b2Body_GetAngularVelocity(b2BodyId bodyId) {
    return isLive(bodyId) ? bodyId.index->GetAngularVelocity() : 0.0f;
}
float b2Body_GetMass(b2BodyId bodyId) { return isLive(bodyId) ? bodyId.index->GetMass() : 0.0f; }

void b2Body_ApplyForceToCenter(b2BodyId bodyId, b2Vec2 force, bool wake) {
    if (!isLive(bodyId) || !finite(force)) return;
    bodyId.index->ApplyForceToCenter(toEngine(force), wake);
}

void b2Body_ApplyAngularImpulse(b2BodyId bodyId, float impulse, bool wake) {
    if (!isLive(bodyId) || !std::isfinite(impulse)) return;
    bodyId.index->ApplyAngularImpulse(impulse / (gLengthScale * gLengthScale), wake);
}

int b2Body_GetShapes(b2BodyId bodyId, b2ShapeId* shapeArray, int capacity) {
    if (!isLive(bodyId) || shapeArray == nullptr || capacity <= 0) return 0;
    // 2.4 lists fixtures newest first; report the logical shapes in the order made.
    int total = 0;
    for (b2Fixture* f = bodyId.index->GetFixtureList(); f != nullptr; f = f->GetNext()) {
        ShapeInfo* info = shapeInfo(f);
        if (info == nullptr || info->primary == f) ++total;
    }
    int position = total;
    for (b2Fixture* f = bodyId.index->GetFixtureList(); f != nullptr; f = f->GetNext()) {
        ShapeInfo* info = shapeInfo(f);
        if (info != nullptr && info->primary != f) continue;
        --position;
        if (position < capacity) shapeArray[position] = b2ShapeId{f};
    }
    return std::min(total, capacity);
}

int b2Body_GetContactData(b2BodyId bodyId, b2ContactData* contactData, int capacity) {
    if (!isLive(bodyId) || contactData == nullptr || capacity <= 0) return 0;
    int count = 0;
    for (b2ContactEdge* edge = bodyId.index->GetContactList(); edge != nullptr && count < capacity;
         edge = edge->next) {
        b2Contact* contact = edge->contact;
        if (!contact->IsTouching()) continue;
        b2Fixture* fa = contact->GetFixtureA();
        b2Fixture* fb = contact->GetFixtureB();
        ShapeInfo* ia = shapeInfo(fa);
        ShapeInfo* ib = shapeInfo(fb);
        b2ShapeId a{ia != nullptr && ia->primary != nullptr ? ia->primary : fa};
        b2ShapeId b{ib != nullptr && ib->primary != nullptr ? ib->primary : fb};
        // A capsule is several fixtures; report each pair of logical shapes once.
        bool compound = (ia != nullptr && ia->fixtureCount > 1) || (ib != nullptr && ib->fixtureCount > 1);
        if (compound) {
            bool seen = false;
            for (int k = 0; k < count && !seen; ++k) {
                seen = (contactData[k].shapeIdA == a && contactData[k].shapeIdB == b) ||
                       (contactData[k].shapeIdA == b && contactData[k].shapeIdB == a);
            }
            if (seen) continue;
        }
        contactData[count].shapeIdA = a;
        contactData[count].shapeIdB = b;
        ++count;
    }
    return count;
}

}  // namespace b2v3
