// How the music's spectrum is drawn: the opening's scope and the main
// scene's plasma bars. The show draws by these rules and the music's checks
// measure the music against them, so both read them from here.
#pragma once

// The bins both effects draw, 0 to 319 (of the spectrum's 512).
constexpr int kDisplayBins = 320;

// The scope: bin i is a dot 4 * i pixels left and right of the centre, as
// far above and below it as 100 times the bin's magnitude, drawn only when
// that is over 2 pixels. Only bins 0 to 79 land on the screen.
constexpr int kScopeSpacing = 4;
constexpr float kScopeScale = 100.0f;
constexpr float kScopeThreshold = 2.0f;
constexpr int kScopeVisibleBins = 80;
// Anything this far out is off the screen anyway; the bound keeps an
// infinite or huge magnitude from overflowing the conversion.
constexpr float kScopeLimit = 1000.0f;

// The plasma: a bar of 170 rows per full-scale magnitude, hanging from row
// 128 of its table, 172 rows at the most.
constexpr double kPlasmaBarScale = 170.0;
constexpr int kPlasmaBarTop = 128;
constexpr int kPlasmaMaxBarRows = 172;

// The scope's time from the start of the music before the flash.
constexpr int kOpeningMs = 18000;
