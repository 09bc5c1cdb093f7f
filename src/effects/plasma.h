// Spectrum plasma: the music's spectrum as mirrored bars filled with a
// colour-cycling plasma, in the middle band of the main scene.
#pragma once

void initPlasma();
void drawPlasma();
