// Drawing one ragdoll figure: capsules as rotated rectangles between their centres,
// the feet as filled polygons with black outlines, and a thin line across each joint.
#include "ui/draw_human.h"

#include <raylib.h>

#include <cmath>

#include "physics/engine/b2layer.h"

namespace {

constexpr Color SHIRT{72, 209, 204, 255};
constexpr Color TROUSERS{30, 144, 255, 255};
constexpr Color SKIN{255, 222, 173, 255};
constexpr Color SHOES{139, 69, 19, 255};
constexpr Color OUTLINE{0, 0, 0, 255};
constexpr Color JOINT_LINE{130, 130, 130, 255};
constexpr float OUTLINE_THICKNESS = 0.2f;
constexpr float JOINT_LINE_THICKNESS = 0.01f;
constexpr float RAD_TO_DEG = 57.295776f;

Color boneColor(int bone) {
    switch (bone) {
        case 1: case 7: case 9: return SHIRT;
        case 2: case 8: case 10: return SKIN;
        default: return TROUSERS;
    }
}

void drawPolygon(const b2Transform& xf, const b2Polygon& polygon, Color fill) {
    const int n = polygon.count;
    if (n < 3) return;
    Vector2 v[b2_maxPolygonVertices];
    for (int i = 0; i < n; ++i) v[i] = b2TransformPoint(xf, polygon.vertices[i]);
    // The fill is a fan in the polygon's vertex order. The window culls triangles that
    // turn the wrong way on screen (y down), so a polygon wound the other way (as the
    // engine's are) is fanned with each triangle's last two corners swapped.
    float area = 0.0f;
    for (int i = 0; i < n; ++i) {
        const Vector2& a = v[i];
        const Vector2& b = v[(i + 1) % n];
        area += a.x * b.y - b.x * a.y;
    }
    const bool swap = area > 0.0f;
    for (int i = 1; i + 1 < n; ++i) {
        if (swap) {
            DrawTriangle(v[0], v[i + 1], v[i], fill);
        } else {
            DrawTriangle(v[0], v[i], v[i + 1], fill);
        }
    }
    for (int i = 0; i < n; ++i) DrawLineEx(v[i], v[(i + 1) % n], OUTLINE_THICKNESS, OUTLINE);
}

void drawCapsule(const b2Transform& xf, const b2Capsule& capsule, Color color) {
    Vector2 c1 = b2TransformPoint(xf, capsule.center1);
    Vector2 c2 = b2TransformPoint(xf, capsule.center2);
    Vector2 d{c2.x - c1.x, c2.y - c1.y};
    float length = std::sqrt(d.x * d.x + d.y * d.y);
    Vector2 mid{(c1.x + c2.x) * 0.5f, (c1.y + c2.y) * 0.5f};
    Rectangle rect{mid.x, mid.y, length, 2.0f * capsule.radius};
    DrawRectanglePro(rect, Vector2{length * 0.5f, capsule.radius}, std::atan2(d.y, d.x) * RAD_TO_DEG, color);
}

Vector2 jointAnchor(b2BodyId body, b2Vec2 localAnchor) {
    return b2TransformPoint(b2Body_GetTransform(body), localAnchor);
}

}  // namespace

void drawHuman(Human human) {
    if (!human.isSpawned) return;
    for (int b = 0; b < HUMAN_BONE_COUNT; ++b) {
        const b2BodyId body = human.bones[b].bodyId;
        if (!isLive(body)) continue;
        const Color color = boneColor(b);
        const b2Transform xf = b2Body_GetTransform(body);
        b2ShapeId shapes[2];
        const int count = b2Body_GetShapes(body, shapes, 2);
        for (int k = 0; k < count; ++k) {
            switch (b2Shape_GetType(shapes[k])) {
                case b2_polygonShape:
                    drawPolygon(xf, b2Shape_GetPolygon(shapes[k]), (b == 4 || b == 6) ? SHOES : color);
                    break;
                case b2_capsuleShape:
                    drawCapsule(xf, b2Shape_GetCapsule(shapes[k]), color);
                    break;
                default:
                    break;
            }
        }
    }
    for (int b = 1; b < HUMAN_BONE_COUNT; ++b) {
        const b2JointId joint = human.bones[b].jointId;
        if (!isLive(joint)) continue;
        Vector2 pA = jointAnchor(b2Joint_GetBodyA(joint), b2Joint_GetLocalAnchorA(joint));
        Vector2 pB = jointAnchor(b2Joint_GetBodyB(joint), b2Joint_GetLocalAnchorB(joint));
        DrawLineEx(pA, pB, JOINT_LINE_THICKNESS, JOINT_LINE);
    }
}
