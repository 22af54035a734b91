#include "ui/screen_map.h"

ScreenMap screenMapOf(const Camera2D& camera, float screenSize) {
    ScreenMap map;
    map.camera = camera;
    map.rotated = camera.rotation != 0.0f;
    map.left = camera.target.x - camera.offset.x / camera.zoom;
    map.top = camera.target.y - camera.offset.y / camera.zoom;
    map.right = map.left + screenSize / camera.zoom;
    map.bottom = map.top + screenSize / camera.zoom;
    return map;
}

bool boxVisible(const ScreenMap& map, float x0, float y0, float x1, float y1) {
    return map.rotated || (x1 >= map.left && x0 <= map.right && y1 >= map.top && y0 <= map.bottom);
}

bool nearVisible(const ScreenMap& map, Vector2 centre, float reach) {
    return boxVisible(map, centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach);
}

Vector2 worldToPixel(const ScreenMap& map, Vector2 world) {
    const Camera2D& c = map.camera;
    return Vector2{(world.x - c.target.x) * c.zoom + c.offset.x, (world.y - c.target.y) * c.zoom + c.offset.y};
}

Vector2 pixelToWorld(const ScreenMap& map, Vector2 pixel) {
    const Camera2D& c = map.camera;
    return Vector2{(pixel.x - c.offset.x) / c.zoom + c.target.x, (pixel.y - c.offset.y) / c.zoom + c.target.y};
}
