// The preset list and the File section's Save and Load.
#include "persistence/presets.h"

#include <utility>

#include "physics/design.h"

bool loadPreset(Simulation& sim, const std::string& name, const std::string& baseDir) {
    Design design;
    if (!readDesignFile(name, design, baseDir).ok) return false;
    sim.presets.push_back(std::move(design));
    return true;
}

FileResult saveCurrentDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                             const std::string& name, const std::string& baseDir) {
    return saveToFile(makeDesign(editor, sim, quake, name), baseDir);
}

FileResult loadFromFile(EditorState& editor, Simulation& sim, QuakeState& quake, const std::string& name,
                        const std::string& baseDir) {
    Design design;
    FileResult result = readDesignFile(name, design, baseDir);
    if (!result.ok) return result;
    // Room for the new entry is made first, so that nothing after applying can fail.
    sim.presets.reserve(sim.presets.size() + 1);
    Design entry = design;
    applyDesign(editor, sim, quake, design);
    sim.presets.push_back(std::move(entry));
    return result;
}

std::string typedName(const char* buffer, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && buffer[length] != '\0') ++length;
    return std::string(buffer, length);
}
