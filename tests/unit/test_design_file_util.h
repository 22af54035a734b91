#pragma once
// Helpers shared by the design-file, preset and loader-mutation tests.
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "physics/structure.h"

// A fresh folder under the system's temporary directory, removed again at the end.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir() {
        static std::atomic<int> counter{0};
        path = std::filesystem::temp_directory_path() /
               ("tremora-persist-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::all, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    std::string str() const { return path.string(); }
    std::filesystem::path file(const std::string& name) const { return path / "save" / (name + ".velmar"); }
};

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::uint32_t bitsOf(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

inline float floatFromBits(std::uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

inline void appendU64(std::string& bytes, std::uint64_t value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

inline void appendF32(std::string& bytes, float value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Two designs are the same when every float has the same bits.
inline bool sameBits(const Design& a, const Design& b) {
    if (a.lines.size() != b.lines.size() || a.name != b.name) return false;
    for (std::size_t i = 0; i < a.lines.size(); ++i) {
        if (std::memcmp(&a.lines[i], &b.lines[i], sizeof(Line)) != 0) return false;
    }
    const float fa[] = {a.density, a.accumulativeLimit, a.threshold, a.duration, a.magnitude, a.epicenter.x,
                        a.epicenter.y};
    const float fb[] = {b.density, b.accumulativeLimit, b.threshold, b.duration, b.magnitude, b.epicenter.x,
                        b.epicenter.y};
    return std::memcmp(fa, fb, sizeof fa) == 0;
}

// A design whose every field differs from a default-made one.
inline Design sentinelDesign() {
    Design d;
    d.lines = {Line{{1.0f, 2.0f}, {3.0f, 4.0f}}};
    d.name = "sentinel";
    d.density = 9.0f;
    d.accumulativeLimit = 8.0f;
    d.threshold = 7.0f;
    d.duration = 6.0f;
    d.magnitude = 5.0f;
    d.epicenter = {4.0f, -3.0f};
    return d;
}
