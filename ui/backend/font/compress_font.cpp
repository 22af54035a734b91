// Build-time tool: compresses a TrueType font into Dear ImGui's compressed-font
// format and writes it as a C++ source file defining the symbols of
// ui/backend/icon_font.h.
//
//   tremora_compress_font <in.ttf> <out.cpp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "stb_compress.h"

namespace {

bool readFile(const char* path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string sourceText(const std::vector<unsigned char>& packed, std::size_t unpackedSize) {
    std::string text;
    text.reserve(packed.size() * 5 + 1024);
    text += "// Generated at build time by tremora_compress_font from the Font Awesome solid face.\n";
    text += "// Dear ImGui compressed-font format; do not edit.\n";
    text += "extern const unsigned int ICON_FONT_COMPRESSED_SIZE;\n";
    text += "extern const unsigned int ICON_FONT_UNCOMPRESSED_SIZE;\n";
    text += "extern const unsigned char ICON_FONT_COMPRESSED_DATA[];\n\n";
    text += "const unsigned int ICON_FONT_COMPRESSED_SIZE = " + std::to_string(packed.size()) + "u;\n";
    text += "const unsigned int ICON_FONT_UNCOMPRESSED_SIZE = " + std::to_string(unpackedSize) + "u;\n";
    text += "alignas(4) const unsigned char ICON_FONT_COMPRESSED_DATA[" + std::to_string(packed.size()) + "] = {\n";
    char hex[8];
    for (std::size_t i = 0; i < packed.size(); ++i) {
        std::snprintf(hex, sizeof hex, "0x%02x,", packed[i]);
        text += hex;
        text += (i % 20 == 19) ? '\n' : ' ';
    }
    text += "\n};\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <in.ttf> <out.cpp>\n", argv[0]);
        return 2;
    }
    std::vector<unsigned char> font;
    if (!readFile(argv[1], font) || font.empty()) {
        std::fprintf(stderr, "cannot read font %s\n", argv[1]);
        return 1;
    }
    const std::vector<unsigned char> packed = stbfont::compress(font.data(), font.size());
    const std::string text = sourceText(packed, font.size());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("icon font: %zu bytes compressed to %zu\n", font.size(), packed.size());
    return 0;
}
