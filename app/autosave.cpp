#include "app/autosave.h"

#include <cstring>

#include "app/design_commands.h"

bool linesChangedSinceKept(const AppState& app) {
    const std::vector<Line>& now = app.editor.lines;
    const std::vector<Line>& kept = app.keptLines;
    // Bit for bit, as a design file stores them: a line of -0 or not-a-number compares as written.
    return now.size() != kept.size() ||
           (!now.empty() && std::memcmp(now.data(), kept.data(), now.size() * sizeof(Line)) != 0);
}

FileResult autosaveAtClose(const AppState& app, const std::string& baseDir) {
    if (!linesChangedSinceKept(app)) return FileResult{true, ""};
    return saveCurrentDesign(app.editor, app.sim, app.quake, AUTOSAVE_NAME, baseDir);
}
