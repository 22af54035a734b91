// The renderer's draw loop, counted through a recording sink.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "headless_ui.h"
#include "ui/backend/imgui_impl_raylib_detail.h"

namespace {

struct Recorded {
    int flushes = 0;
    int begins = 0;
    int ends = 0;
    int vertices = 0;
    bool scissorOn = false;
    bool cullingOn = true;
    std::vector<unsigned int> textures;
    std::vector<std::vector<int>> scissors;
    std::vector<std::vector<int>> colours;
    std::vector<std::pair<float, float>> positions;
};
Recorded rec;

const ImGui_ImplRaylib_RenderSink RECORDING_SINK = {
    [] { ++rec.flushes; },
    [] { rec.cullingOn = false; },
    [] { rec.cullingOn = true; },
    [] { rec.scissorOn = true; },
    [] { rec.scissorOn = false; },
    [](int x, int y, int w, int h) { rec.scissors.push_back({x, y, w, h}); },
    [](int) { ++rec.begins; },
    [] { ++rec.ends; },
    [](unsigned int id) { rec.textures.push_back(id); },
    [](unsigned char r, unsigned char g, unsigned char b, unsigned char a) { rec.colours.push_back({r, g, b, a}); },
    [](float, float) {},
    [](float x, float y) {
        ++rec.vertices;
        rec.positions.emplace_back(x, y);
    },
};

ImDrawVert vertex(float x, float y, ImU32 colour) {
    ImDrawVert v;
    v.pos = ImVec2(x, y);
    v.uv = ImVec2(0.0f, 0.0f);
    v.col = colour;
    return v;
}

ImDrawCmd command(unsigned int indexOffset, unsigned int count, ImTextureID texture) {
    ImDrawCmd cmd;
    cmd.ClipRect = ImVec4(10.0f, 20.0f, 110.0f, 70.0f);
    cmd.TexRef = ImTextureRef(texture);
    cmd.IdxOffset = indexOffset;
    cmd.ElemCount = count;
    return cmd;
}

class BackendRender : public ::testing::Test {
protected:
    void SetUp() override { rec = Recorded{}; }
};

TEST_F(BackendRender, ShortCommandDrawsNothingButStillFlushes) {
    Texture2D texture{42, 1, 1, 1, PIXELFORMAT_UNCOMPRESSED_R8G8B8A8};
    const auto textureId = static_cast<ImTextureID>(reinterpret_cast<std::uintptr_t>(&texture));
    ImDrawList list(nullptr);
    for (int i = 0; i < 4; ++i) list.VtxBuffer.push_back(vertex(float(i), float(i * 2), IM_COL32(1, 2, 3, 4)));
    const ImDrawIdx indices[] = {0, 1, 2, 2, 3, 0, 1, 3};
    for (ImDrawIdx i : indices) list.IdxBuffer.push_back(i);
    list.CmdBuffer.push_back(command(0, 6, textureId));  // two triangles
    list.CmdBuffer.push_back(command(6, 2, textureId));  // fewer than 3 indices

    ImDrawData data;
    data.CmdLists.push_back(&list);
    data.CmdListsCount = 1;
    data.DisplayPos = ImVec2(0.0f, 0.0f);
    data.DisplaySize = ImVec2(850.0f, 850.0f);

    ImGui_ImplRaylib_RenderDrawDataTo(&data, ImVec2(1.0f, 1.0f), RECORDING_SINK);

    EXPECT_EQ(rec.begins, 1);
    EXPECT_EQ(rec.ends, 1);
    EXPECT_EQ(rec.vertices, 6);
    EXPECT_EQ(rec.flushes, 1 + 2) << "one flush before, one after each command";
    ASSERT_EQ(rec.textures.size(), 2u);
    EXPECT_EQ(rec.textures[0], 42u);
    EXPECT_EQ(rec.textures[1], 0u) << "texture reset at the end";
    EXPECT_FALSE(rec.scissorOn);
    EXPECT_TRUE(rec.cullingOn);

    // Vertices in index order, colour unpacked red first.
    EXPECT_EQ(rec.positions[3], std::make_pair(2.0f, 4.0f));
    EXPECT_EQ(rec.positions[4], std::make_pair(3.0f, 6.0f));
    EXPECT_EQ(rec.colours[0], (std::vector<int>{1, 2, 3, 4}));

    // Scissor: x 10, height 50, y flipped to the bottom-left origin: 850 - (20 + 50).
    ASSERT_EQ(rec.scissors.size(), 2u);
    EXPECT_EQ(rec.scissors[0], (std::vector<int>{10, 780, 100, 50}));
}

TEST_F(BackendRender, ScissorIsScaledByTheFramebufferScale) {
    ImDrawList list(nullptr);
    list.CmdBuffer.push_back(command(0, 0, ImTextureID_Invalid));
    ImDrawData data;
    data.CmdLists.push_back(&list);
    data.CmdListsCount = 1;
    data.DisplaySize = ImVec2(850.0f, 850.0f);
    ImGui_ImplRaylib_RenderDrawDataTo(&data, ImVec2(2.0f, 2.0f), RECORDING_SINK);
    ASSERT_EQ(rec.scissors.size(), 1u);
    EXPECT_EQ(rec.scissors[0], (std::vector<int>{20, 1560, 200, 100}));
    EXPECT_EQ(rec.vertices, 0);
}

TEST_F(BackendRender, ARealFrameFlushesOncePerCommandAndUsesTheFontTexture) {
    HeadlessUi ui;
    startHeadlessUi(ui);
    for (int frame = 0; frame < 2; ++frame) {  // a new window shows from its second frame
        headlessFrame(ui, [] {
            ImGui::Begin("Window");
            ImGui::Text("Hello");
            ImGui::Button("Press");
            ImGui::End();
        });
    }
    const ImDrawData* data = ImGui::GetDrawData();
    int commands = 0;
    int indices = 0;
    for (const ImDrawList* list : data->CmdLists) {
        commands += list->CmdBuffer.Size;
        for (const ImDrawCmd& cmd : list->CmdBuffer) indices += static_cast<int>(cmd.ElemCount / 3 * 3);
    }
    ImGui_ImplRaylib_RenderDrawDataTo(data, ImVec2(1.0f, 1.0f), RECORDING_SINK);
    EXPECT_GT(commands, 0);
    EXPECT_EQ(rec.flushes, 1 + commands);
    EXPECT_EQ(rec.vertices, indices);
    EXPECT_EQ(rec.textures.front(), ui.fontTexture.id);
    stopHeadlessUi(ui);
}

TEST(BackendTexture, NullTextureIdMeansGlIdZero) {
    EXPECT_EQ(ImGui_ImplRaylib_TextureGlId(ImTextureID_Invalid), 0u);
    Texture2D texture{9, 1, 1, 1, PIXELFORMAT_UNCOMPRESSED_R8G8B8A8};
    EXPECT_EQ(ImGui_ImplRaylib_TextureGlId(static_cast<ImTextureID>(reinterpret_cast<std::uintptr_t>(&texture))), 9u);
}

}  // namespace
