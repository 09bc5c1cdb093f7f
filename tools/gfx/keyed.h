// Turning antialiased art into pictures that the show colour keys: pixels
// are either exactly the key or solid colours that never equal it.
#pragma once

#include <cstdint>

#include "canvas.h"

// Writes `art` into `out` (same size, opaque). Pixels whose coverage is
// below `minAlpha` become `key`; the others are laid over `edge` (so soft
// edges fade into a colour that suits the background the picture is shown
// on) and nudged off the key should they land on it.
void flattenOverKey(Canvas& art, Canvas& out, uint32_t key, Rgb edge, int minAlpha);
