#include "glibc_rand.h"

#include <cstdlib>

namespace {

constexpr int kSeparation = 3;   // between the two taps
constexpr int kDiscarded = 310;  // ten rounds of the table
// Park-Miller's minimal standard, computed without overflow (Schrage).
constexpr std::int64_t kMultiplier = 16807;
constexpr std::int64_t kModulus = 2147483647;
constexpr std::int64_t kQuotient = 127773;  // kModulus / kMultiplier
constexpr std::int64_t kRemainder = 2836;   // kModulus % kMultiplier

}  // namespace

void GlibcRand::reseed(unsigned seed)
{
    if (seed == 0)
        seed = 1;
    auto word = static_cast<std::int32_t>(seed);
    table_[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < kDegree; i++) {
        const std::int64_t hi = word / kQuotient;
        const std::int64_t lo = word % kQuotient;
        std::int64_t w = kMultiplier * lo - kRemainder * hi;
        if (w < 0)
            w += kModulus;
        word = static_cast<std::int32_t>(w);
        table_[i] = static_cast<std::uint32_t>(word);
    }
    front_ = kSeparation;
    rear_ = 0;
    for (int i = 0; i < kDiscarded; i++)
        next();
}

int GlibcRand::next()
{
    table_[front_] += table_[rear_];
    const int result = static_cast<int>(table_[front_] >> 1);
    front_ = (front_ + 1) % kDegree;
    rear_ = (rear_ + 1) % kDegree;
    return result;
}

#if defined(_WIN32) || defined(__EMSCRIPTEN__)
// These stand in for the C library's own (msvcrt's on Windows, emscripten's
// in the browser): the linker takes them from the program before it looks at
// the C library. Unseeded, the sequence is that of srand(1), as the C
// standard asks.
namespace {
GlibcRand generator;
}

extern "C" int rand(void)
{
    return generator.next();
}

extern "C" void srand(unsigned seed)
{
    generator.reseed(seed);
}
#endif
