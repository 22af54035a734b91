#include "app/view_framing.h"

#include <algorithm>
#include <cmath>

#include "app/modes.h"

namespace {

// The part of the scene the design fills; the rest is margin.
constexpr float FILL = 0.9f;
// A single point or a line along one axis is framed as if it were this wide (world units).
constexpr float SMALLEST_EXTENT = 10.0f;

struct Bounds {
    float left = INFINITY;
    float top = INFINITY;
    float right = -INFINITY;
    float bottom = -INFINITY;
    bool empty() const { return !(left <= right); }
};

void include(Bounds& bounds, Vector2 p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    bounds.left = std::min(bounds.left, p.x);
    bounds.right = std::max(bounds.right, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.bottom = std::max(bounds.bottom, p.y);
}

}  // namespace

Camera2D framedCamera(const Camera2D& camera, const std::vector<Line>& lines,
                      const std::vector<std::vector<Vector2>>& grid) {
    Bounds bounds;
    for (const Line& line : lines) {
        include(bounds, line.start);
        include(bounds, line.end);
    }
    if (bounds.empty()) {
        for (const std::vector<Vector2>& row : grid)
            for (const Vector2& point : row) include(bounds, point);
    }
    if (bounds.empty()) return camera;
    const float width = std::max(bounds.right - bounds.left, SMALLEST_EXTENT);
    const float height = std::max(bounds.bottom - bounds.top, SMALLEST_EXTENT);
    const float zoom = FILL * std::min((SCENE_RIGHT - SCENE_LEFT) / width, SCENE_BOTTOM / height);
    // The bounds' centre goes to the centre of the scene right of the panel.
    const Vector2 centre{(bounds.left + bounds.right) * 0.5f, (bounds.top + bounds.bottom) * 0.5f};
    const Vector2 sceneCentre{(SCENE_LEFT + SCENE_RIGHT) * 0.5f, SCENE_BOTTOM * 0.5f};
    Camera2D framed = camera;
    framed.zoom = zoom;
    framed.rotation = 0.0f;
    framed.target = Vector2{centre.x - (sceneCentre.x - camera.offset.x) / zoom,
                            centre.y - (sceneCentre.y - camera.offset.y) / zoom};
    // Lines spread wider than a float can measure leave the camera as it was.
    const bool usable = zoom > 0.0f && std::isfinite(zoom) && std::isfinite(framed.target.x) &&
                        std::isfinite(framed.target.y);
    return usable ? framed : camera;
}

bool linesOutOfView(const Camera2D& camera, const std::vector<Line>& lines) {
    if (lines.empty()) return false;
    const Vector2 a = screenToWorld(camera, Vector2{SCENE_LEFT, 0.0f});
    const Vector2 b = screenToWorld(camera, Vector2{SCENE_RIGHT, SCENE_BOTTOM});
    for (const Line& line : lines) {
        const bool apartInX = std::max(line.start.x, line.end.x) < a.x || std::min(line.start.x, line.end.x) > b.x;
        const bool apartInY = std::max(line.start.y, line.end.y) < a.y || std::min(line.start.y, line.end.y) > b.y;
        // Comparisons with a coordinate that is not a number are false: such a line counts as shown.
        if (!apartInX && !apartInY) return false;
    }
    return true;
}

void frameDesign(AppState& app) {
    app.camera = framedCamera(app.camera, app.editor.lines, app.editor.grid);
    app.designOffScreen = false;
}

void noteArrivedDesign(AppState& app) { app.designOffScreen = linesOutOfView(app.camera, app.editor.lines); }

void refreshOffScreenNote(AppState& app) {
    if (app.designOffScreen && !linesOutOfView(app.camera, app.editor.lines)) app.designOffScreen = false;
}
