#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

// The page refreshes of the read-all pass, the setting file load and the start-up.
namespace vistrel::PageRefresh {

// The colour entries, the colour-only controls and the blemish title for the model.
void PreparePagesForModel(HandlerContext& context);
// The Camera Link choices, every enabling rule and the dependent lists from the values the
// pages show; sends nothing.
void RefreshDependentStates(HandlerContext& context);
// What the pages show besides the rows: the exposure ranges and the bypass state from the
// camera, the baud rate limit and the video send mode texts. Skipped when the last pass found
// the camera silent or the channel lost.
void RefreshRemainingPages(HandlerContext& context);
void RefreshCameraLinkControls(HandlerContext& context);
void RefreshExposureModeControls(HandlerContext& context);
void ShowVideoMode(IControlPanel& panel, int32_t mode);

}  // namespace vistrel::PageRefresh
