// The random numbers of GNU libc's rand(), on any platform. The show draws
// its snow, ball rows and typing pace from the C library's unseeded rand();
// Windows' C library and emscripten's have other generators (other numbers),
// so the Windows and browser builds take this one in their place and show
// the very same frames.
#pragma once

#include <cstdint>

// glibc's default generator: an additive feedback generator over 31 words,
// seeded by a Park-Miller sequence, the first 310 results thrown away.
class GlibcRand {
public:
    explicit GlibcRand(unsigned seed = 1) { reseed(seed); }
    void reseed(unsigned seed);
    int next();  // 0 .. 2^31-1

private:
    static constexpr int kDegree = 31;
    std::uint32_t table_[kDegree];
    int front_ = 0;
    int rear_ = 0;
};
