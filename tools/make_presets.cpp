// Writes the shipped presets save/hause.velmar and save/lightaf.velmar, or checks them.
//
//   make_presets [DIR]          write both files into DIR/save (DIR defaults to .)
//   make_presets --check [DIR]  read both files from DIR/save and run them through the
//                               physics: they must stand under gravity for 30 s and
//                               fall apart in a quake of their own settings
//   make_presets --trials [DIR] write the trial designs the ground-motion model's joint
//                               rule was chosen on into DIR/save, for tremora-lab
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "persistence/design_file.h"
#include "tools/preset_check.h"
#include "tools/preset_designs.h"
#include "tools/trial_designs.h"

namespace {

int writeDesigns(const std::vector<Design>& designs, const std::string& dir) {
    int failures = 0;
    for (const Design& design : designs) {
        const FileResult r = saveToFile(design, dir);
        std::printf("%s\n", r.message.c_str());
        failures += r.ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}

int checkPresets(const std::string& dir) {
    int failures = 0;
    for (const char* name : {"hause", "lightaf"}) {
        Design design;
        const FileResult r = readDesignFile(name, design, dir);
        if (!r.ok) {
            std::printf("%s\n", r.message.c_str());
            ++failures;
            continue;
        }
        const PresetCheckResult result = checkPreset(design);
        std::printf("%s", describeCheck(design, result).c_str());
        if (!result.stands || !result.fallsApart) ++failures;
    }
    std::printf(failures == 0 ? "both presets pass\n" : "%d preset(s) fail\n", failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool check = false;
    bool trials = false;
    std::string dir = ".";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) {
            check = true;
        } else if (std::strcmp(argv[i], "--trials") == 0) {
            trials = true;
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "usage: %s [--check | --trials] [DIR]\n", argv[0]);
            return 2;
        } else {
            dir = argv[i];
        }
    }
    if (check) return checkPresets(dir);
    if (!trials) return writeDesigns({hausePreset(), lightafPreset()}, dir);
    std::vector<Design> designs;
    for (const TrialDesign& t : trialDesigns()) designs.push_back(t.design);
    return writeDesigns(designs, dir);
}
