// The show's colours: night blue, snow white, Christmas red, green and gold,
// and a deep ink for outlines. Every picture draws from these so the scenes
// sit together.
#pragma once

#include "canvas.h"

namespace pal {
constexpr Rgb kNightTop = rgb(5, 9, 32);
constexpr Rgb kNight = rgb(14, 24, 66);
constexpr Rgb kNightHorizon = rgb(44, 66, 124);
constexpr Rgb kInk = rgb(12, 16, 44);

constexpr Rgb kSnow = rgb(244, 248, 255);
constexpr Rgb kSnowShade = rgb(178, 198, 232);
constexpr Rgb kSnowDeep = rgb(120, 144, 196);
constexpr Rgb kIce = rgb(170, 220, 255);

constexpr Rgb kRed = rgb(206, 22, 36);
constexpr Rgb kRedDark = rgb(118, 8, 20);
constexpr Rgb kRedLight = rgb(255, 96, 96);
constexpr Rgb kGreen = rgb(28, 128, 58);
constexpr Rgb kGreenDark = rgb(10, 62, 34);
constexpr Rgb kGreenLight = rgb(90, 190, 100);
constexpr Rgb kGold = rgb(244, 192, 64);
constexpr Rgb kGoldDark = rgb(150, 96, 18);
constexpr Rgb kGoldLight = rgb(255, 236, 150);

constexpr Rgb kWindow = rgb(255, 206, 110);  // lamplight through a window
constexpr Rgb kSkin = rgb(250, 196, 160);
constexpr Rgb kWood = rgb(150, 92, 48);
constexpr Rgb kWoodDark = rgb(88, 50, 24);
constexpr Rgb kScreen = rgb(90, 200, 255);  // CRT glow
}  // namespace pal
