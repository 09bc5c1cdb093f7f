// The bouncing balls: zoom, rotation into the scratch surface, the blits that
// hide a rising ball behind the middle band, the motion, the random set-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <cstdlib>
#include <vector>

#include "animation.h"
#include "clock.h"
#include "effects/balls.h"
#include "effects/snow.h"
#include "globals.h"
#include "testutil.h"

namespace {

constexpr Uint32 kRed = 0xff0000, kGreen = 0x00ff00, kBlue = 0x0000ff, kWhite = 0xffffff;
constexpr Uint32 kGarbage = 0xabcdef;

Uint32& raw(SDL_Surface* s, int x, int y)
{
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
}

Uint32 opaque(SDL_Surface* s, Uint32 rgb)
{
    return SDL_MapRGBA(s->format, rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff, 255);
}

// Red, green, blue and white quadrants from the top left.
SDL_Surface* quadrants(int side)
{
    SDL_Surface* s = makeSurface(side, side);
    for (int y = 0; y < side; y++)
        for (int x = 0; x < side; x++)
            raw(s, x, y) = opaque(s, y < side / 2 ? (x < side / 2 ? kRed : kGreen)
                                                  : (x < side / 2 ? kBlue : kWhite));
    return s;
}

// The scratch made here is freed; what loadGfx set up comes back.
class Balls : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        tmp_rotate = nullptr;  // initBallScratch would free the show's own
        ball = Animation{};
        ball.numFrames = 1;
        SDL_FillRect(screen, nullptr, 0);
    }
    void TearDown() override
    {
        SDL_FreeSurface(tmp_rotate);
        for (SDL_Surface* s : pictures)
            SDL_FreeSurface(s);
    }
    void scratchFrom(SDL_Surface* picture)
    {
        pictures.push_back(picture);
        ball.frames[0] = picture;
        initBallScratch();
        ASSERT_NE(tmp_rotate, nullptr);
    }
    int drawnInSquare(int size)
    {
        int n = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++)
                n += raw(tmp_rotate, x, y) != 0;
        return n;
    }
    Restore<Animation> keepBall{ball};
    Restore<SDL_Surface*> keepScratch{tmp_rotate};
    Restore<AmigaBall[kAmigaBallSlots]> keepTable{amigaball};
    Restore<float> keepDt{dt};
    VirtualClock clock{50000};
    std::vector<SDL_Surface*> pictures;
};

}  // namespace

TEST(BallZoom, FollowsTheDistanceFromTheMiddleAndHalvesRisingBalls)
{
    EXPECT_EQ(ballSize(ballScale(-90, false)), 100);
    EXPECT_EQ(ballSize(ballScale(91, false)), 99);
    EXPECT_EQ(ballScale(-144, false), 0.7f);  // just below 0.7: 69, not 70
    EXPECT_EQ(ballSize(ballScale(144, false)), 69);
    EXPECT_EQ(ballSize(ballScale(-160, false)), 61);
    EXPECT_EQ(ballSize(ballScale(0, true)), 50);
    EXPECT_EQ(ballSize(ballScale(160, true)), 50);
}

TEST_F(Balls, CentreLandsOnTheSquareCentreAndQuarterTurnsKeepTheBall)
{
    scratchFrom(quadrants(100));
    for (int size : {100, 69, 50})
        for (int angle : {3, 0}) {  // through the texture mapper, and upright
            renderBall(ball.frames[0], size / 100.0f, angle, size);
            const int c = size / 2, m = size / 4;
            EXPECT_EQ(rgbAt(tmp_rotate, c - m, c - m), kRed) << size << "@" << angle;
            EXPECT_EQ(rgbAt(tmp_rotate, c + m, c + m), kWhite) << size << "@" << angle;
        }
    EXPECT_EQ(rgbAt(tmp_rotate, 23, 23), kRed);  // meeting within a pixel of 25
    EXPECT_EQ(rgbAt(tmp_rotate, 26, 26), kWhite);
    renderBall(ball.frames[0], 1.0f, 90, 100);
    EXPECT_EQ(rgbAt(tmp_rotate, 75, 25), kRed);  // top left turned to top right
    // The library's texture mapper loses the picture near quarter turns.
    for (int size : {50, 61, 69, 100})
        for (int angle : {89, 90, 91, 181, 269, 270, 271, 359}) {
            renderBall(ball.frames[0], size / 100.0f, angle, size);
            EXPECT_GT(drawnInSquare(size), size * size * 9 / 10) << size << "@" << angle;
        }
}

TEST_F(Balls, SquareIsClearedAndNothingElseTouchedWhateverThePicture)
{
    scratchFrom(quadrants(40));  // a small picture still leaves room for 100 x 100
    EXPECT_EQ(tmp_rotate->w, 100);
    EXPECT_GE(tmp_rotate->pitch, 100 * 4);
    SDL_SetClipRect(tmp_rotate, nullptr);
    ASSERT_GE(tmp_rotate->clip_rect.h, 100);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            raw(tmp_rotate, x, y) = opaque(tmp_rotate, kGarbage);
    renderBall(ball.frames[0], 0.5f, 45, 50);
    EXPECT_EQ(raw(tmp_rotate, 0, 0), 0u);  // all bits zero where no ball is
    EXPECT_EQ(raw(tmp_rotate, 49, 49), 0u);
    int touched = 0;
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            touched += (x >= 50 || y >= 50) && rgbAt(tmp_rotate, x, y) != kGarbage;
    EXPECT_EQ(touched, 0);
    // At full size the whole 100 x 100 square is cleared and drawn in,
    // though the picture that made the scratch was only 40 x 40.
    renderBall(ball.frames[0], 1.0f, 45, 100);
    int garbage = 0;
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            garbage += rgbAt(tmp_rotate, x, y) == kGarbage;
    EXPECT_EQ(garbage, 0);
    EXPECT_EQ(raw(tmp_rotate, 99, 99), 0u);
    EXPECT_GT(drawnInSquare(100), 0);

    ball.frames[0] = nullptr;  // no picture: no scratch, and the balls move unseen
    initBallScratch();
    EXPECT_EQ(tmp_rotate, nullptr);
    SDL_FillRect(screen, nullptr, 0);
    drawAmigaBalls();
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 0);
}

TEST_F(Balls, RisingBallsHideBehindTheMiddleBand)
{
    // A 50 x 50 square whose rows tell their index, in a 100 x 100 storage
    // whose other pixels must never show.
    tmp_rotate = makeSurface(100, 100);
    SDL_SetAlpha(tmp_rotate, 0, 255);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            raw(tmp_rotate, x, y) = opaque(tmp_rotate, x < 50 && y < 50 ? 0x100 + y : kGarbage);
    tmp_rotate->w = tmp_rotate->h = 50;
    // {y, rising, first screen row shown, first square row, rows shown}
    const int cases[][5] = {{100, 1, 100, 0, 21}, {120, 1, 120, 0, 1},   {60, 1, 60, 0, 50},
                            {200, 1, 0, 0, 0},    {330, 1, 359, 29, 21}, {365, 1, 365, 0, 50},
                            {309, 1, 0, 0, 0},    {310, 1, 359, 49, 1},  {200, 0, 200, 0, 50},
                            {330, 0, 330, 0, 50}};
    for (const auto& c : cases) {
        SDL_FillRect(screen, nullptr, 0);
        blitBall(300, c[0], c[1] != 0, 50);
        for (int row = 0; row < 480; row++) {
            const bool shown = row >= c[2] && row < c[2] + c[4];
            ASSERT_EQ(rgbAt(screen, 325, row), shown ? 0x100u + c[3] + row - c[2] : 0u)
                << "y " << c[0] << (c[1] ? " rising" : " falling") << ", row " << row;
        }
        EXPECT_EQ(countNot(screen, 0, 350, 0, 640, 480), 0) << "wider than the square";
    }
}

TEST_F(Balls, ShortFramesTurnEveryBallWithoutMovingItAndAllShowOnePicture)
{
    const Uint32 colour[6] = {0x102030, 0x405060, 0x708090, 0xa0b0c0, 0xd0e0f0, 0x123456};
    for (int i = 0; i < 6; i++) {
        pictures.push_back(ball.frames[i] = makeSurface(100, 100));
        fillRgb(ball.frames[i], colour[i]);
    }
    initBallScratch();
    ball = Animation{0, 5, 0, 20, {}};
    std::copy(pictures.begin(), pictures.end(), ball.frames);
    // Falling from row 0 to y = 210 at x = -9, 130, 270, 550.
    const int xPhase[4] = {100, 35, 0, 314}, x[4] = {-9, 130, 270, 550};
    for (int i = 0; i < 4; i++)
        amigaball[i] = AmigaBall{0, 0, 0, 0.0f, xPhase[i], 0, 0, false};
    amigaball[4] = AmigaBall{1, 2, 3, 0.25f, 4, 5, 6, false};
    dt = 0.9f;  // 9 ms
    for (int frame = 1; frame <= 3; frame++) {
        drawAmigaBalls();
        advanceTicks(21);  // the pictures follow the clock, not dt
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(amigaball[i].x, x[i]);
            EXPECT_EQ(amigaball[i].y, 210);
            EXPECT_EQ(amigaball[i].angle, frame);
            EXPECT_EQ(rgbAt(screen, x[i] + 50, 260), colour[ball.curFrame]) << i;
        }
    }
    EXPECT_EQ(amigaball[4].angle, 3);  // the fifth ball is never moved

    dt = 1.9f;  // one whole unit: moving up by 6 rows, so half size
    drawAmigaBalls();
    EXPECT_EQ(amigaball[1].xPhase, 36);
    EXPECT_EQ(amigaball[1].y, 204);
    EXPECT_EQ(amigaball[1].scale, 0.5f);
}

TEST_F(Balls, SwingToTheTurningPointsWithBallZeroDrawnLast)
{
    scratchFrom(quadrants(100));
    // All four reach the top left turning point this frame (x phase 105:
    // 270 - 280; y phase 39: 210 - 160), each turned a quarter further.
    for (int i = 0; i < 4; i++)
        amigaball[i] = AmigaBall{0, 0, 90 * i - 1, 0.0f, 104, 38, 0, false};
    dt = 1.0f;
    drawAmigaBalls();
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(amigaball[i].x, -10) << i;
        EXPECT_EQ(amigaball[i].y, 50) << i;
        EXPECT_EQ(ballSize(amigaball[i].scale), 61) << i;  // falling: 1.5 - 160 / 180
    }
    EXPECT_EQ(rgbAt(screen, 5, 60), kRed);  // ball 0, upright, over the others
    EXPECT_EQ(rgbAt(screen, 35, 100), kWhite);
}

TEST_F(Balls, TurningPointsKeepTheDirectionWhileTheRowStandsStill)
{
    // Over the top of the bounce the rounded row reads 54, 52, 51, 51, 50,
    // 50, 50, 50, 51, 52, 53 (bounce phases 34 to 44): the ball stays half
    // size until its row grows again, then falls at its distance's zoom.
    amigaball[0] = AmigaBall{0, 55, 0, 0.0f, 0, 33, 0, false};
    dt = 1.0f;
    const float expected[] = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, ballScale(159, false),
                              ballScale(158, false), ballScale(157, false)};
    for (float scale : expected) {
        drawAmigaBalls();
        EXPECT_EQ(amigaball[0].scale, scale) << "row " << amigaball[0].y << " phase " << amigaball[0].yPhase;
    }

    // Short frames leave a falling ball falling, too.
    dt = 0.5f;
    drawAmigaBalls();
    EXPECT_EQ(amigaball[0].scale, ballScale(157, false));
}

TEST_F(Balls, FirstFrameCountsAnUnchangedRowAsNotMovingUp)
{
    // Bounce phase 37 is row 51, as was phase 36. The set-up row serves as
    // the previous one: 51 (standing), 60 (coming from below) and 40 (from
    // above).
    dt = 1.0f;
    for (const auto& [start, rising] : {std::pair{51, false}, std::pair{60, true}, std::pair{40, false}}) {
        amigaball[0] = AmigaBall{0, start, 0, 0.0f, 0, 36, 0, false};
        drawAmigaBalls();
        EXPECT_EQ(amigaball[0].y, 51);
        EXPECT_EQ(amigaball[0].rising, rising) << "from row " << start;
        EXPECT_EQ(amigaball[0].scale, rising ? 0.5f : ballScale(159, false)) << "from row " << start;
    }
    // The row then shrinks to 50: rising from here on.
    drawAmigaBalls();
    EXPECT_TRUE(amigaball[0].rising);
}

TEST(BallSetUp, SixDrawsPerBallForFiveBallsThenTheSnowDrawsOn)
{
    Restore<AmigaBall[kAmigaBallSlots]> keepTable{amigaball};
    Restore<SnowFlake[kSnowFlakes]> keepFlakes{snow};
    std::srand(1);
    std::vector<int> draws(831);
    for (int& r : draws)
        r = std::rand();
    std::fill(amigaball, amigaball + kAmigaBallSlots, AmigaBall{7, 7, 7, 7.0f, 7, 7, 7, true});
    std::srand(1);
    setupAmigaBalls();
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(amigaball[i].y, draws[6 * i + 3] % 250);
        EXPECT_EQ(amigaball[i].angle, 0);
        EXPECT_EQ(amigaball[i].xPhase, 60 * i);
        EXPECT_EQ(amigaball[i].yPhase, 25 * i);
    }
    EXPECT_EQ(amigaball[5].xPhase, 7);  // room for 100, five set up
    EXPECT_EQ(std::rand(), draws[30]);
    std::srand(1);
    setupAmigaBalls();
    initSnow();
    EXPECT_EQ(std::rand(), draws[830]);
    std::srand(1);
}
