// The size guard in front of the picture decoders: 8192 pixels either way
// is the most a picture may claim, in a PNG and in a BMP alike.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "hostile_files.h"
#include "picture_file.h"

namespace {

struct Claim {
    std::int32_t width, height;
    bool accepted;
};

const Claim kClaims[] = {
    {8192, 1, true},      {1, 8192, true},      {8192, 8192, true},
    {8193, 1, false},     {1, 8193, false},     {8193, 8193, false},
    {8192, 8193, false},  {8193, 8192, false},
};

std::string refusal(std::int32_t w, std::int32_t h)
{
    return "the picture claims " + std::to_string(w) + "x" + std::to_string(h) +
           " pixels, more than the 8192x8192 a picture may have";
}

void expectGuard(const std::string& path, const Claim& c, std::int32_t shownHeight)
{
    std::string reason;
    const bool passed = checkPictureFile(path.c_str(), reason);
    EXPECT_EQ(passed, c.accepted) << c.width << "x" << shownHeight << ": " << reason;
    EXPECT_EQ(reason, c.accepted ? "" : refusal(c.width, c.height)) << c.width << "x" << shownHeight;
}

TEST(PictureSize, PngUpTo8192EitherWayPasses)
{
    harness::TempDir dir;
    for (const Claim& c : kClaims) {
        const std::string path = dir / "claim.png";
        hostile::writePngClaiming(path, static_cast<std::uint32_t>(c.width), static_cast<std::uint32_t>(c.height));
        expectGuard(path, c, c.height);
    }
}

TEST(PictureSize, BmpUpTo8192EitherWayPassesStoredEitherWayUp)
{
    harness::TempDir dir;
    for (const Claim& c : kClaims)
        for (const int rows : {1, -1}) {  // bottom-up, and top-down with a negative height
            const std::string path = dir / "claim.bmp";
            hostile::writeBmpClaiming(path, c.width, rows * c.height);
            expectGuard(path, c, rows * c.height);
        }
}

}  // namespace
