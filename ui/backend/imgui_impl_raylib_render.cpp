// Dear ImGui draw lists drawn as textured triangles through rlgl.
#include <cstdint>

#include "ui/backend/imgui_impl_raylib_detail.h"

namespace {

constexpr int TRIANGLES = 0x0004;  // RL_TRIANGLES (GL_TRIANGLES)

void emitCommand(const ImDrawList& list, const ImDrawCmd& cmd, const ImGui_ImplRaylib_RenderSink& sink) {
    if (cmd.ElemCount < 3) return;
    sink.begin(TRIANGLES);
    sink.setTexture(ImGui_ImplRaylib_TextureGlId(cmd.GetTexID()));
    const unsigned int triangles = cmd.ElemCount / 3;
    for (unsigned int t = 0; t < triangles; ++t) {
        for (unsigned int k = 0; k < 3; ++k) {
            const ImDrawIdx index = list.IdxBuffer[static_cast<int>(cmd.IdxOffset + t * 3 + k)];
            const ImDrawVert& v = list.VtxBuffer[index];
            const ImU32 c = v.col;
            sink.color4ub(static_cast<unsigned char>(c >> IM_COL32_R_SHIFT),
                          static_cast<unsigned char>(c >> IM_COL32_G_SHIFT),
                          static_cast<unsigned char>(c >> IM_COL32_B_SHIFT),
                          static_cast<unsigned char>(c >> IM_COL32_A_SHIFT));
            sink.texCoord2f(v.uv.x, v.uv.y);
            sink.vertex2f(v.pos.x, v.pos.y);
        }
    }
    sink.end();
}

}  // namespace

unsigned int ImGui_ImplRaylib_TextureGlId(ImTextureID id) {
    const auto* texture = reinterpret_cast<const Texture2D*>(static_cast<std::uintptr_t>(id));
    return texture != nullptr ? texture->id : 0u;
}

void ImGui_ImplRaylib_RenderDrawDataTo(const ImDrawData* drawData, ImVec2 scissorScale,
                                       const ImGui_ImplRaylib_RenderSink& sink) {
    sink.drawRenderBatchActive();
    sink.disableBackfaceCulling();
    for (const ImDrawList* list : drawData->CmdLists) {
        for (const ImDrawCmd& cmd : list->CmdBuffer) {
            const float left = cmd.ClipRect.x - drawData->DisplayPos.x;
            const float top = cmd.ClipRect.y - drawData->DisplayPos.y;
            const float width = cmd.ClipRect.z - cmd.ClipRect.x;
            const float height = cmd.ClipRect.w - cmd.ClipRect.y;
            sink.enableScissorTest();
            // rlgl's scissor origin is the bottom-left corner.
            sink.scissor(static_cast<int>(left * scissorScale.x),
                         static_cast<int>((drawData->DisplaySize.y - static_cast<float>(static_cast<int>(top + height))) *
                                          scissorScale.y),
                         static_cast<int>(width * scissorScale.x), static_cast<int>(height * scissorScale.y));
            if (cmd.UserCallback != nullptr) {
                // The reset marker is not a function; every command sets its own state anyway.
                if (cmd.UserCallback != ImDrawCallback_ResetRenderState) cmd.UserCallback(list, &cmd);
                continue;
            }
            emitCommand(*list, cmd, sink);
            // Each command is drawn under its own scissor rectangle.
            sink.drawRenderBatchActive();
        }
    }
    sink.setTexture(0);
    sink.disableScissorTest();
    sink.enableBackfaceCulling();
}
