#include "ui/joint_markers.h"

#include <rlgl.h>

#include <cmath>
#include <cstddef>

#include "physics/engine/b2layer.h"
#include "physics/shared_anchors.h"
#include "ui/disc_pixels.h"
#include "ui/pixel_canvas.h"
#include "ui/render_scene.h"

namespace {

// The marker's world position, or false when its joint has broken.
bool markerCentre(const Simulation& sim, const JointRecord& record, Vector2& centre) {
    if (record.jointSlot >= sim.jointSlots.size()) return false;
    const b2JointId id = sim.jointSlots[record.jointSlot];
    if (!isLive(id)) return false;
    centre = b2Body_GetWorldPoint(record.anchorBody, record.anchorLocal);
    return true;
}

// Corners in raylib's order for quads: top left, bottom left, bottom right, top right.
void pushQuad(Vector2 a, Vector2 b, Vector2 c, Vector2 d) {
    rlVertex2f(a.x, a.y);
    rlVertex2f(b.x, b.y);
    rlVertex2f(c.x, c.y);
    rlVertex2f(d.x, d.y);
}

// One run of pixels of one colour; the corners sit on pixel edges, so the rasteriser
// fills exactly those pixels.
void pushRun(const ScreenMap& map, const ColorRun& run) {
    const auto x0 = static_cast<float>(run.x0);
    const auto x1 = static_cast<float>(run.x1);
    const auto y = static_cast<float>(run.y);
    rlColor4ub(run.color.r, run.color.g, run.color.b, run.color.a);
    pushQuad(pixelToWorld(map, {x0, y}), pixelToWorld(map, {x0, y + 1.0f}), pixelToWorld(map, {x1, y + 1.0f}),
             pixelToWorld(map, {x1, y}));
}

// Unit vectors around the circle; the fan takes two segments a quad, as DrawCircleV does.
struct Outline {
    int segments = 0;
    Vector2 unit[MAX_CIRCLE_SEGMENTS + 1];
};

Outline outlineOf(int segments) {
    Outline outline;
    outline.segments = segments;
    for (int i = 0; i <= segments; ++i) {
        const float angle = 2.0f * PI * static_cast<float>(i) / static_cast<float>(segments);
        outline.unit[i] = Vector2{std::cos(angle), std::sin(angle)};
    }
    return outline;
}

void pushDiscOutline(const Outline& outline, Vector2 centre, float radius) {
    auto at = [&](int i) {
        return Vector2{centre.x + outline.unit[i].x * radius, centre.y + outline.unit[i].y * radius};
    };
    for (int i = 0; i + 1 < outline.segments; i += 2) pushQuad(centre, at(i + 2), at(i + 1), at(i));
}

}  // namespace

void drawJointMarkers(const Simulation& sim, const ScreenMap& map, PixelCanvas& canvas) {
    const float radiusPixels = JOINT_MARKER_RADIUS * map.camera.zoom;
    // Small discs are painted as their rows of pixels and drawn as runs of one colour, so
    // markers hidden under later ones cost nothing; larger ones as outlined fans.
    const bool asSpans = !map.rotated && radiusPixels <= SPAN_DISC_RADIUS;
    const Outline outline = outlineOf(asSpans ? 0 : circleSegments(radiusPixels));
    if (asSpans) beginCanvas(canvas, SCREEN_SIZE, SCREEN_SIZE);
    // The shapes texture and quad mode once for all markers; the texture coordinate is the
    // white texel every shape call samples.
    const Texture2D texture = GetShapesTexture();
    const Rectangle texel = GetShapesTextureRectangle();
    rlSetTexture(texture.id);
    rlBegin(RL_QUADS);
    rlNormal3f(0.0f, 0.0f, 1.0f);
    rlTexCoord2f(texel.x / static_cast<float>(texture.width), texel.y / static_cast<float>(texture.height));
    for (std::size_t i = 0; i < sim.jointRecords.size(); ++i) {
        const JointRecord& record = sim.jointRecords[i];
        // A later marker on exactly the same spot covers this one, whatever its colour.
        if (record.nextSameAnchor != NO_RECORD && laterJointOnSameAnchor(sim, i)) continue;
        Vector2 centre;
        if (!markerCentre(sim, record, centre) || !nearVisible(map, centre, JOINT_MARKER_RADIUS)) continue;
        const Color color = jointLoadColor(record.accumulated, sim.accumulativeLimit);
        if (asSpans) {
            PixelSpan spans[MAX_DISC_SPANS];
            const int count = discSpans(worldToPixel(map, centre), radiusPixels, spans);
            for (int i = 0; i < count; ++i) paintSpan(canvas, spans[i], color);
        } else {
            rlColor4ub(color.r, color.g, color.b, color.a);
            pushDiscOutline(outline, centre, JOINT_MARKER_RADIUS);
        }
    }
    if (asSpans) {
        for (const ColorRun& run : canvasRuns(canvas)) pushRun(map, run);
    }
    rlEnd();
    rlSetTexture(0);
}

void drawJointMarkersReference(const Simulation& sim) {
    for (const JointRecord& record : sim.jointRecords) {
        Vector2 centre;
        if (markerCentre(sim, record, centre)) {
            DrawCircleV(centre, JOINT_MARKER_RADIUS, jointLoadColor(record.accumulated, sim.accumulativeLimit));
        }
    }
}
