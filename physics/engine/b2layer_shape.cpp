// Engine layer, shapes: boxes, hulls, polygons and capsules, and what a shape reports.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>
#include <cmath>

using namespace b2layer;

namespace b2v3 {

// --- shapes ------------------------------------------------------------------
b2Polygon b2MakeBox(float halfWidth, float halfHeight) {
    b2Polygon box;
    box.count = 4;
    box.vertices[0] = b2Vec2{-halfWidth, -halfHeight};
    box.vertices[1] = b2Vec2{halfWidth, -halfHeight};
    box.vertices[2] = b2Vec2{halfWidth, halfHeight};
    box.vertices[3] = b2Vec2{-halfWidth, halfHeight};
    box.normals[0] = b2Vec2{0.0f, -1.0f};
    box.normals[1] = b2Vec2{1.0f, 0.0f};
    box.normals[2] = b2Vec2{0.0f, 1.0f};
    box.normals[3] = b2Vec2{-1.0f, 0.0f};
    return box;
}

namespace {
float cross(b2Vec2 o, b2Vec2 a, b2Vec2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

float engineArea(const ::b2Vec2* points, int count) {
    float area = 0.0f;
    for (int i = 0; i < count; ++i) area += b2Cross(points[i], points[(i + 1) % count]);
    return 0.5f * area;
}

// Moves every edge of a convex, counter-clockwise polygon inwards by `depth`. Box2D 2.4
// wraps each polygon in a skin of b2_polygonRadius, where the engine whose shapes this
// layer offers collides with the polygon itself (plus its own rounding). Without the
// inset, members resting on the ground overlap it by two skins, more than the solver's
// slop, so the position correction never settles and resting structures never sleep.
// Returns false, leaving the points alone, when the polygon is too thin for it.
bool insetPolygon(::b2Vec2* points, int count, float depth) {
    if (depth <= 0.0f) return true;
    ::b2Vec2 normals[b2_maxPolygonVertices];
    for (int i = 0; i < count; ++i) {
        ::b2Vec2 edge = points[(i + 1) % count] - points[i];
        if (edge.Normalize() < b2_epsilon) return false;
        normals[i] = ::b2Vec2(edge.y, -edge.x);
    }
    ::b2Vec2 moved[b2_maxPolygonVertices];
    for (int i = 0; i < count; ++i) {
        const ::b2Vec2& before = normals[(i + count - 1) % count];
        const ::b2Vec2& after = normals[i];
        const float cosine = b2Dot(before, after);
        if (cosine <= -0.5f) return false;  // a spike: the inset would run far past it
        moved[i] = points[i] - (depth / (1.0f + cosine)) * (before + after);
    }
    // The inset must keep every edge's direction and leave an area the engine accepts.
    for (int i = 0; i < count; ++i) {
        const ::b2Vec2 edge = moved[(i + 1) % count] - moved[i];
        if (b2Dot(edge, ::b2Vec2(-normals[i].y, normals[i].x)) <= b2_linearSlop) return false;
    }
    if (!engineAcceptsPolygon(moved, count)) return false;
    std::copy(moved, moved + count, points);
    return true;
}
}  // namespace

b2Hull b2ComputeHull(const b2Vec2* points, int count) {
    b2Hull hull;
    if (points == nullptr || count < 3 || count > b2_maxPolygonVertices) return hull;
    // Weld points closer than the engine's tolerance, then a monotone chain that drops
    // collinear points; the result runs with positive orientation (x right, y up sense).
    const float slop = 0.005f * lengthScale();
    b2Vec2 ps[b2_maxPolygonVertices];
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (!finite(points[i])) return hull;
        bool unique = true;
        for (int j = 0; j < n && unique; ++j) {
            float dx = points[i].x - ps[j].x;
            float dy = points[i].y - ps[j].y;
            unique = dx * dx + dy * dy >= 16.0f * slop * slop;
        }
        if (unique) ps[n++] = points[i];
    }
    if (n < 3) return hull;
    for (int i = 1; i < n; ++i) {  // by x, then y
        b2Vec2 key = ps[i];
        int j = i - 1;
        while (j >= 0 && (ps[j].x > key.x || (ps[j].x == key.x && ps[j].y > key.y))) {
            ps[j + 1] = ps[j];
            --j;
        }
        ps[j + 1] = key;
    }
    b2Vec2 chain[2 * b2_maxPolygonVertices];
    int k = 0;
    for (int i = 0; i < n; ++i) {
        while (k >= 2 && cross(chain[k - 2], chain[k - 1], ps[i]) <= 0.0f) --k;
        chain[k++] = ps[i];
    }
    for (int i = n - 2, lower = k + 1; i >= 0; --i) {
        while (k >= lower && cross(chain[k - 2], chain[k - 1], ps[i]) <= 0.0f) --k;
        chain[k++] = ps[i];
    }
    int m = k - 1;  // the last point repeats the first
    if (m < 3) return hull;
    // Points that lie within the tolerance of the line through their neighbours go too.
    b2Vec2 kept[2 * b2_maxPolygonVertices];
    int keptCount = 0;
    for (int i = 0; i < m; ++i) {
        b2Vec2 prev = chain[(i + m - 1) % m];
        b2Vec2 next = chain[(i + 1) % m];
        float ex = next.x - prev.x;
        float ey = next.y - prev.y;
        float len = std::sqrt(ex * ex + ey * ey);
        float distance = len > 0.0f ? cross(prev, next, chain[i]) / len : 0.0f;
        if (std::fabs(distance) > 2.0f * slop) kept[keptCount++] = chain[i];
    }
    if (keptCount < 3) return hull;
    hull.count = keptCount;
    for (int i = 0; i < keptCount; ++i) hull.points[i] = kept[i];
    return hull;
}

b2Polygon b2MakePolygon(const b2Hull* hull, float radius) {
    b2Polygon polygon;
    if (hull == nullptr || hull->count < 3) return polygon;
    polygon.count = hull->count;
    polygon.radius = radius;
    for (int i = 0; i < hull->count; ++i) polygon.vertices[i] = hull->points[i];
    float area = 0.0f;
    float cx = 0.0f;
    float cy = 0.0f;
    b2Vec2 origin = polygon.vertices[0];
    for (int i = 0; i < polygon.count; ++i) {
        b2Vec2 v1 = polygon.vertices[i];
        b2Vec2 v2 = polygon.vertices[(i + 1) % polygon.count];
        float ex = v2.x - v1.x;
        float ey = v2.y - v1.y;
        float len = std::sqrt(ex * ex + ey * ey);
        polygon.normals[i] = len > 0.0f ? b2Vec2{ey / len, -ex / len} : b2Vec2{0.0f, 0.0f};
        float a = 0.5f * cross(origin, v1, v2);
        area += a;
        cx += a * (origin.x + v1.x + v2.x) / 3.0f;
        cy += a * (origin.y + v1.y + v2.y) / 3.0f;
    }
    if (area > 0.0f) polygon.centroid = b2Vec2{cx / area, cy / area};
    return polygon;
}

b2ShapeDef b2DefaultShapeDef() { return b2ShapeDef{}; }

b2ShapeId b2CreatePolygonShape(b2BodyId bodyId, const b2ShapeDef* def, const b2Polygon* polygon) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || def == nullptr || polygon == nullptr) return b2ShapeId{};
    if (polygon->count < 3 || polygon->count > b2_maxPolygonVertices) return b2ShapeId{};
    ::b2Vec2 points[b2_maxPolygonVertices];
    for (int i = 0; i < polygon->count; ++i) points[i] = toEngine(polygon->vertices[i]);
    if (!engineAcceptsPolygon(points, polygon->count)) return b2ShapeId{};
    const float rounding = std::isfinite(polygon->radius) && polygon->radius > 0.0f ? polygon->radius : 0.0f;
    // The skin, less the rounding asked for, comes off the outline; the density rises by
    // the area lost, so the mass stays that of the polygon asked for.
    ::b2PolygonShape asked;
    asked.Set(points, polygon->count);
    const float fullArea = engineArea(points, polygon->count);
    float densityFactor = 1.0f;
    const bool inset = insetPolygon(points, polygon->count, b2_polygonRadius - rounding / lengthScale());
    if (inset) {
        const float insetArea = engineArea(points, polygon->count);
        if (insetArea > 0.0f && fullArea > 0.0f) densityFactor = fullArea / insetArea;
    }
    ::b2PolygonShape shape;
    shape.Set(points, polygon->count);
    ::b2FixtureDef fd = engineFixtureDef(*def, &shape, densityFactor);
    ShapeInfo* info = new ShapeInfo();
    info->type = b2_polygonShape;
    info->inset = inset;
    info->askedShape = asked;
    info->askedDensity = fd.density / densityFactor;
    info->radius = rounding;
    info->polygon = polygonFromEngine(asked, rounding);
    info->filter = def->filter;
    info->userData = def->userData;
    b2Fixture* fixture = addFixture(body, fd, info);
    if (fixture == nullptr) {
        delete info;
        return b2ShapeId{};
    }
    return registerShape(info, fixture);
}

b2ShapeId b2CreateCapsuleShape(b2BodyId bodyId, const b2ShapeDef* def, const b2Capsule* capsule) {
    b2Body* body = resolve(bodyId);
    if (body == nullptr || def == nullptr || capsule == nullptr) return b2ShapeId{};
    if (!finite(capsule->center1) || !finite(capsule->center2) || !std::isfinite(capsule->radius) ||
        capsule->radius <= 0.0f) {
        return b2ShapeId{};
    }
    ::b2Vec2 c1 = toEngine(capsule->center1);
    ::b2Vec2 c2 = toEngine(capsule->center2);
    float radius = capsule->radius / lengthScale();
    ::b2Vec2 axis = c2 - c1;
    float length = axis.Length();

    ShapeInfo* info = new ShapeInfo();
    info->type = b2_capsuleShape;
    info->capsule = *capsule;
    info->filter = def->filter;
    info->userData = def->userData;
    std::vector<b2Fixture*> made;

    // Preferred form: one eight-sided polygon, four corners around each end, pulled in
    // by the engine's polygon skin so that, skin included, it is the capsule's outline.
    // One fixture per capsule keeps the pair count of a heap of figures down (a box and
    // two circles make nine contact pairs for every two capsules that meet).
    if (length >= b2_linearSlop) {
        const float inner = radius - b2_polygonRadius;
        const ::b2Vec2 u = (1.0f / length) * axis;
        const ::b2Vec2 n(-u.y, u.x);
        const float cosines[4] = {0.0f, 0.8660254f, 0.8660254f, 0.0f};
        const float sines[4] = {-1.0f, -0.5f, 0.5f, 1.0f};
        ::b2Vec2 outline[8];
        for (int k = 0; k < 4; ++k) {
            outline[k] = c2 + inner * (cosines[k] * u + sines[k] * n);
            outline[4 + k] = c1 - inner * (cosines[k] * u + sines[k] * n);
        }
        // Every corner must survive the engine's welding, or the shape would not be the
        // one whose area sets the density below.
        if (inner >= 0.75f * b2_linearSlop && engineAcceptsPolygon(outline, 8)) {
            ::b2PolygonShape polygon;
            polygon.Set(outline, 8);
            float polygonArea = 0.0f;
            for (int k = 0; k < polygon.m_count; ++k) {
                polygonArea += 0.5f * b2Cross(polygon.m_vertices[k], polygon.m_vertices[(k + 1) % polygon.m_count]);
            }
            // Density raised so that the mass is that of the true capsule.
            const float capsuleArea = 2.0f * radius * length + b2_pi * radius * radius;
            const float factor = polygonArea > 0.0f ? capsuleArea / polygonArea : 1.0f;
            ::b2FixtureDef fd = engineFixtureDef(*def, &polygon, factor);
            b2Fixture* f = addFixture(body, fd, info);
            if (f == nullptr) {
                delete info;
                return b2ShapeId{};
            }
            return registerShape(info, f);
        }
    }

    // Too thin for that polygon (or too short to have an axis): a box between the
    // centres and a circle at each centre, or one circle.
    // The box between the centres is narrowed by the engine's polygon skin so that its
    // sides, skin included, run flush with the end circles. Its density is raised to
    // make up for the narrowing, and the two circles, which overlap it by half each,
    // carry half density: the mass is that of a true capsule.
    ::b2PolygonShape box;
    bool haveBox = false;
    const float halfWidth = radius - b2_polygonRadius;
    if (length >= b2_linearSlop && halfWidth > 0.0f) {
        ::b2Vec2 centre = 0.5f * (c1 + c2);
        float angle = std::atan2(axis.y, axis.x);
        box.SetAsBox(0.5f * length, halfWidth, centre, angle);
        haveBox = engineAcceptsPolygon(box.m_vertices, box.m_count);
    }
    bool ok = true;
    if (haveBox) {
        ::b2FixtureDef fd = engineFixtureDef(*def, &box, radius / halfWidth);
        b2Fixture* f = addFixture(body, fd, info);
        ok = f != nullptr;
        if (ok) made.push_back(f);
    }
    const ::b2Vec2 ends[2] = {c1, c2};
    int circleCount = length >= b2_linearSlop ? 2 : 1;
    for (int k = 0; k < circleCount && ok; ++k) {
        ::b2CircleShape circle;
        circle.m_p = circleCount == 1 ? 0.5f * (c1 + c2) : ends[k];
        circle.m_radius = radius;
        float share = circleCount == 1 ? 1.0f : 0.5f;
        ::b2FixtureDef fd = engineFixtureDef(*def, &circle, share);
        b2Fixture* f = addFixture(body, fd, info);
        ok = f != nullptr;
        if (ok) made.push_back(f);
    }
    if (!ok || made.empty()) {
        for (b2Fixture* f : made) {
            f->GetUserData().pointer = 0;
            body->DestroyFixture(f);
        }
        restoreAskedMass(body);
        delete info;
        return b2ShapeId{};
    }
    return registerShape(info, made.front());
}

b2ShapeType b2Shape_GetType(b2ShapeId shapeId) {
    b2Fixture* fixture = resolve(shapeId);
    return fixture != nullptr ? shapeInfo(fixture)->type : b2_polygonShape;
}

b2Polygon b2Shape_GetPolygon(b2ShapeId shapeId) {
    b2Fixture* fixture = resolve(shapeId);
    if (fixture == nullptr || fixture->GetType() != ::b2Shape::e_polygon) return b2Polygon{};
    ShapeInfo* info = shapeInfo(fixture);
    if (info->type != b2_polygonShape) return b2Polygon{};
    return info->polygon;
}

b2Capsule b2Shape_GetCapsule(b2ShapeId shapeId) {
    b2Fixture* fixture = resolve(shapeId);
    ShapeInfo* info = fixture != nullptr ? shapeInfo(fixture) : nullptr;
    return (info != nullptr && info->type == b2_capsuleShape) ? info->capsule : b2Capsule{};
}

b2Filter b2Shape_GetFilter(b2ShapeId shapeId) {
    b2Fixture* fixture = resolve(shapeId);
    return fixture != nullptr ? shapeInfo(fixture)->filter : b2Filter{};
}

b2BodyId b2Shape_GetBody(b2ShapeId shapeId) {
    b2Fixture* fixture = resolve(shapeId);
    return fixture != nullptr ? bodyHandle(fixture->GetBody()) : b2BodyId{};
}

}  // namespace b2v3
