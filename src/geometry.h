// The frame's geometry: the screen and the bands the main scene is built on.
// Every effect that lines up with the panels, the edges or the middle band
// takes its rows from here.
#pragma once

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kScreenDepth = 32;
constexpr int kScreenCentreX = kScreenWidth / 2;
constexpr int kScreenCentreY = kScreenHeight / 2;

// Top to bottom: the top panel, its snowy edge, the middle band, the edge
// above the bottom panel, the bottom panel with the picture strip.
constexpr int kTopPanelY = 0;
constexpr int kTopEdgeY = 109;     // the snowy edge under the top panel
constexpr int kBandTop = 121;      // first row of the middle band
constexpr int kBottomEdgeY = 352;  // the edge above the bottom panel
constexpr int kPanelTop = 359;     // first row of the bottom panel
