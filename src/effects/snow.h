// Snowfall: 200 flakes in three depth layers.
// The show's own names (`initSnow`, `drawSnow` and the rest) are kept as they
// have always been, odd as some may look: they are the show's vocabulary.
#pragma once

constexpr int kSnowFlakes = 200;

struct SnowFlake {
    int x;          // rest column: the image's left edge when not swaying
    int y;          // top row, grows as the flake falls
    int layer;      // 0 front, 1 middle, 2 back
    int amplitude;  // sway in pixels before scaling by snowheight
};

extern SnowFlake snow[kSnowFlakes];
extern int snowspeed;   // factor on every layer's fall speed
extern int snowheight;  // factor on every flake's sway

// Places the flakes from 800 draws of rand.
void initSnow();
// Draws the back layers, the shadow strip and the front layer, and moves
// every flake by one frame.
void drawSnow();
