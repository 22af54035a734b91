// Engine layer, bodies: creation, destruction, queries, forces, shapes and contacts of a body.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>
#include <cmath>

using namespace b2layer;

namespace b2v3 {

// --- bodies ------------------------------------------------------------------
b2BodyDef b2DefaultBodyDef() { return b2BodyDef{}; }

b2BodyId b2CreateBody(b2WorldId worldId, const b2BodyDef* def) {
    WorldInfo* world = resolve(worldId);
    if (world == nullptr || def == nullptr) return b2BodyId{};
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
    b2Body* body = world->world->CreateBody(&bd);
    info->slot = bodyTable().take(body);
    return bodyTable().handle(info->slot);
}

void b2DestroyBody(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr) return;
    releaseBodyRecords(body);
    // The world's release listener frees the records of its joints.
    body->GetWorld()->DestroyBody(body);
}

const char* b2Body_GetName(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    BodyInfo* info = body != nullptr ? bodyInfo(body) : nullptr;
    return info != nullptr ? info->name.c_str() : "";
}

b2Vec2 b2Body_GetPosition(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    return body != nullptr ? fromEngine(body->GetPosition()) : b2Vec2{0.0f, 0.0f};
}
b2Rot b2Body_GetRotation(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr) return b2Rot{};
    const ::b2Rot& q = body->GetTransform().q;
    return b2Rot{q.c, q.s};
}
b2Transform b2Body_GetTransform(b2BodyId bodyId) {
    return b2Transform{b2Body_GetPosition(bodyId), b2Body_GetRotation(bodyId)};
}
b2Vec2 b2Body_GetLocalPoint(b2BodyId bodyId, b2Vec2 worldPoint) {
    b2Body* body = resolve(bodyId);
    return body != nullptr ? fromEngine(body->GetLocalPoint(toEngine(worldPoint))) : b2Vec2{0.0f, 0.0f};
}
b2Vec2 b2Body_GetWorldPoint(b2BodyId bodyId, b2Vec2 localPoint) {
    b2Body* body = resolve(bodyId);
    return body != nullptr ? fromEngine(body->GetWorldPoint(toEngine(localPoint))) : b2Vec2{0.0f, 0.0f};
}
b2Vec2 b2Body_GetLinearVelocity(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    return body != nullptr ? fromEngine(body->GetLinearVelocity()) : b2Vec2{0.0f, 0.0f};
}
float b2Body_GetAngularVelocity(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    return body != nullptr ? body->GetAngularVelocity() : 0.0f;
}
bool b2Body_IsAwake(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    return body != nullptr && body->IsAwake();
}
float b2Body_GetMass(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    return body != nullptr ? body->GetMass() : 0.0f;
}

float b2Body_GetRotationalInertia(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr) return 0.0f;
    // 2.4 gives it about the body's origin.
    const ::b2Vec2 c = body->GetLocalCenter();
    const float aboutCentre = body->GetInertia() - body->GetMass() * b2Dot(c, c);
    const float scale = lengthScale();
    return std::max(0.0f, aboutCentre) * scale * scale;
}

void b2Body_SetType(b2BodyId bodyId, b2BodyType type) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || body->GetWorld()->IsLocked()) return;
    switch (type) {
        case b2_dynamicBody: body->SetType(::b2_dynamicBody); break;
        case b2_kinematicBody: body->SetType(::b2_kinematicBody); break;
        default: body->SetType(::b2_staticBody); break;
    }
    // 2.4 recomputes the mass from the fixtures as it holds them.
    restoreAskedMass(body);
}

b2BodyType b2Body_GetType(b2BodyId bodyId) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr) return b2_staticBody;
    switch (body->GetType()) {
        case ::b2_dynamicBody: return b2_dynamicBody;
        case ::b2_kinematicBody: return b2_kinematicBody;
        default: return b2_staticBody;
    }
}

void b2Body_SetLinearVelocity(b2BodyId bodyId, b2Vec2 velocity) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || !finite(velocity)) return;
    body->SetLinearVelocity(toEngine(velocity));
}

void b2Body_SetTransform(b2BodyId bodyId, b2Vec2 position, b2Rot rotation) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || body->GetWorld()->IsLocked() || !finite(position) || !finite(rotation.c) ||
        !finite(rotation.s)) {
        return;
    }
    body->SetTransform(toEngine(position), std::atan2(rotation.s, rotation.c));
}

void b2Body_EnableSleep(b2BodyId bodyId, bool enableSleep) {
    b2Body* body = resolve(bodyId);
    if (body != nullptr) body->SetSleepingAllowed(enableSleep);
}

void b2Body_ApplyForceToCenter(b2BodyId bodyId, b2Vec2 force, bool wake) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || !finite(force)) return;
    body->ApplyForceToCenter(toEngine(force), wake);
}

void b2Body_ApplyAngularImpulse(b2BodyId bodyId, float impulse, bool wake) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || !std::isfinite(impulse)) return;
    body->ApplyAngularImpulse(impulse / (lengthScale() * lengthScale()), wake);
}

int b2Body_GetShapes(b2BodyId bodyId, b2ShapeId* shapeArray, int capacity) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || shapeArray == nullptr || capacity <= 0) return 0;
    // 2.4 lists fixtures newest first; report the logical shapes in the order made.
    auto isPrimary = [](b2Fixture* f) {
        ShapeInfo* info = shapeInfo(f);
        return info != nullptr && info->primary == f;
    };
    int total = 0;
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext()) total += isPrimary(f) ? 1 : 0;
    int position = total;
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext()) {
        if (!isPrimary(f)) continue;
        --position;
        if (position < capacity) shapeArray[position] = shapeHandle(f);
    }
    return std::min(total, capacity);
}

int b2Body_GetContactData(b2BodyId bodyId, b2ContactData* contactData, int capacity) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || contactData == nullptr || capacity <= 0) return 0;
    int count = 0;
    for (b2ContactEdge* edge = body->GetContactList(); edge != nullptr && count < capacity; edge = edge->next) {
        b2Contact* contact = edge->contact;
        if (!contact->IsTouching()) continue;
        ShapeInfo* ia = shapeInfo(contact->GetFixtureA());
        ShapeInfo* ib = shapeInfo(contact->GetFixtureB());
        // Every fixture of a logical shape reports the shape's one handle.
        b2ShapeId a = shapeHandle(contact->GetFixtureA());
        b2ShapeId b = shapeHandle(contact->GetFixtureB());
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
