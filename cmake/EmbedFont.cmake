# The icon font is compressed at build time by a small tool of the project's own
# into Dear ImGui's compressed-font format and compiled into the program.
set(TREMORA_FONT_TTF "${TREMORA_DEPS}/fonts/fa-solid-900.ttf")
set(TREMORA_FONT_TOOL_SOURCE "${CMAKE_SOURCE_DIR}/ui/backend/font/compress_font.cpp")
set(TREMORA_FONT_SOURCE "")
if(EXISTS "${TREMORA_FONT_TOOL_SOURCE}")
  add_executable(tremora_compress_font "${TREMORA_FONT_TOOL_SOURCE}")
  tremora_warnings(tremora_compress_font)
  set(TREMORA_FONT_SOURCE "${CMAKE_BINARY_DIR}/generated/icon_font_data.cpp")
  add_custom_command(
    OUTPUT "${TREMORA_FONT_SOURCE}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/generated"
    COMMAND tremora_compress_font "${TREMORA_FONT_TTF}" "${TREMORA_FONT_SOURCE}"
    DEPENDS tremora_compress_font "${TREMORA_FONT_TTF}"
    COMMENT "Compressing the icon font")
endif()
