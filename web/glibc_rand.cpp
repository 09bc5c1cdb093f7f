// rand() as the GNU C library computes it, in place of emscripten's: the
// show never seeds it, and the layout of the balls and the snow and the
// typing pace follow its numbers, so with the same sequence the browser
// draws the very frames the desktop build draws.
//
// glibc's default generator (TYPE_3): an additive feedback generator over
// 34 words seeded from 1 by the minimal standard generator, its first 310
// outputs thrown away; each number is a new word shifted right by one.
#include <cstdint>

namespace {

constexpr int kLag = 31;
constexpr int kShortLag = 3;
constexpr int kWarmUp = 310;
constexpr std::int64_t kModulus = 2147483647;
constexpr std::int64_t kMultiplier = 16807;

struct Generator {
    std::uint32_t r[kLag];
    int front = kShortLag;  // r[front] and r[rear] are the two taps
    int rear = 0;

    Generator()
    {
        r[0] = 1;
        for (int i = 1; i < kLag; i++) {
            std::int64_t v = kMultiplier * static_cast<std::int32_t>(r[i - 1]) % kModulus;
            if (v < 0)
                v += kModulus;
            r[i] = static_cast<std::uint32_t>(v);
        }
        for (int i = 0; i < kWarmUp; i++)
            next();
    }

    std::uint32_t next()
    {
        r[front] += r[rear];
        const std::uint32_t result = r[front] >> 1;
        front = (front + 1) % kLag;
        rear = (rear + 1) % kLag;
        return result;
    }
};

Generator generator;

}  // namespace

extern "C" int rand(void)
{
    return static_cast<int>(generator.next());
}
