#pragma once
// The Font Awesome 6 Free Solid face in Dear ImGui's compressed-font format,
// generated at build time from the font fetched by set-up (see compress_font.cpp).

extern const unsigned int ICON_FONT_COMPRESSED_SIZE;
extern const unsigned int ICON_FONT_UNCOMPRESSED_SIZE;
extern const unsigned char ICON_FONT_COMPRESSED_DATA[];

// The icon glyphs merged into the panel's default font.
inline constexpr unsigned short ICON_GLYPH_FIRST = 0xE005;
inline constexpr unsigned short ICON_GLYPH_LAST = 0xF8FF;
