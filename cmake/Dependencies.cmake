# Libraries come from Debian (Box2D 2.4.1, cereal, GoogleTest, giflib) and from the
# local prefix .deps/ that scripts/setup.sh fills (GLFW 3.4, raylib 6.0, Dear ImGui 1.92.2b).
set(TREMORA_DEPS "${CMAKE_SOURCE_DIR}/.deps" CACHE PATH "Prefix holding the locally built dependencies")
if(NOT EXISTS "${TREMORA_DEPS}/include/raylib.h" OR NOT EXISTS "${TREMORA_DEPS}/imgui/imgui.h")
  message(FATAL_ERROR "Dependencies missing in ${TREMORA_DEPS}: run scripts/setup.sh first")
endif()

find_package(box2d REQUIRED)
find_package(GIF REQUIRED)
find_package(Threads REQUIRED)
find_package(OpenGL REQUIRED)
find_package(X11 REQUIRED)

# raylib's header types (Vector2, Color, Camera2D) are used by the window-free core.
add_library(tremora_raylib_headers INTERFACE)
target_include_directories(tremora_raylib_headers SYSTEM INTERFACE "${TREMORA_DEPS}/include")

add_library(tremora_raylib INTERFACE)
target_link_libraries(tremora_raylib INTERFACE tremora_raylib_headers
  "${TREMORA_DEPS}/lib/libraylib.a" "${TREMORA_DEPS}/lib/libglfw3.a"
  OpenGL::GL ${X11_LIBRARIES} Threads::Threads ${CMAKE_DL_LIBS} m)

add_library(tremora_cereal INTERFACE)

file(GLOB IMGUI_SOURCES "${TREMORA_DEPS}/imgui/imgui*.cpp")
list(FILTER IMGUI_SOURCES EXCLUDE REGEX "imgui_demo\\.cpp$")
add_library(tremora_imgui STATIC ${IMGUI_SOURCES})
target_include_directories(tremora_imgui SYSTEM PUBLIC "${TREMORA_DEPS}/imgui")
# The raylib backend builds its font atlas through the legacy path
# (ImFontAtlas::GetTexDataAsRGBA32 / SetTexID), so IMGUI_DISABLE_OBSOLETE_FUNCTIONS stays undefined.
