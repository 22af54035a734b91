#pragma once
// Gathering the live design into a record and scattering a record back.
#include <string>

#include "app/editor.h"
#include "physics/structure.h"
#include "quake/quake.h"

Design makeDesign(const EditorState& editor, const Simulation& sim, const QuakeState& quake,
                  const std::string& name);
void applyDesign(EditorState& editor, Simulation& sim, QuakeState& quake, const Design& design);
