// Writes the shipped example records into DIR/records (DIR defaults to .): synthetic
// quakes from the ground-motion generator, two as PEER .AT2 files and one as CSV.
//
//   make_records [DIR]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "quake/ground_motion.h"

namespace {

struct ExampleRecord {
    const char* file;
    const char* title;
    SyntheticQuake quake;
};

// PEER layout: four header lines, then five values to a line in E format.
std::string at2Text(const GroundMotion& m, const ExampleRecord& example) {
    std::string text = "TREMORA SYNTHETIC STRONG MOTION RECORD\n";
    text += std::string(example.title) + "\nACCELERATION TIME SERIES IN UNITS OF G\n";
    char line[96];
    std::snprintf(line, sizeof line, "NPTS=%7zu, DT=%9.4f SEC\n", m.accelerationG.size(), m.dt);
    text += line;
    for (std::size_t i = 0; i < m.accelerationG.size(); ++i) {
        std::snprintf(line, sizeof line, "%15.7E", m.accelerationG[i]);
        text += line;
        if (i % 5 == 4 || i + 1 == m.accelerationG.size()) text += '\n';
    }
    return text;
}

std::string csvText(const GroundMotion& m) {
    std::string text = "time,acceleration\n";
    char line[64];
    for (std::size_t i = 0; i < m.accelerationG.size(); ++i) {
        std::snprintf(line, sizeof line, "%.3f,%.7E\n", m.dt * static_cast<double>(i), m.accelerationG[i]);
        text += line;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: %s [DIR]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argc == 2 ? argv[1] : ".") / "records";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const ExampleRecord examples[] = {
        {"synthetic_m6_20km.AT2", "Synthetic M6.0 at 20 km, firm ground, seed 1", {6.0, 20.0, 20.0, 1}},
        {"synthetic_m7_10km.AT2", "Synthetic M7.0 at 10 km, firm ground, seed 2", {7.0, 10.0, 30.0, 2}},
        {"synthetic_m75_3km_short.csv", "", {7.5, 3.0, 6.0, 3}},
    };
    int failures = 0;
    for (const ExampleRecord& example : examples) {
        const GroundMotion m = synthesizeGroundMotion(example.quake);
        const bool at2 = std::string(example.file).find(".AT2") != std::string::npos;
        const std::filesystem::path path = folder / example.file;
        std::ofstream out(path, std::ios::binary);
        out << (at2 ? at2Text(m, example) : csvText(m));
        out.close();
        const bool ok = static_cast<bool>(out);
        std::printf("%s %s: %zu points, peak %.3f g\n", ok ? "wrote" : "could not write", path.string().c_str(),
                    m.accelerationG.size(), m.peakG);
        failures += ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
