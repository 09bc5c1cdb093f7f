// Snowfall: 200 flakes in three depth layers.
#pragma once

void initSnow();
void drawSnow();
