// The bouncing balls: zoom, the rotation into the scratch surface, the blits
// that hide a rising ball behind the middle band, the motion and the random
// set-up.
#include <gtest/gtest.h>

#include <sge.h>

#include <algorithm>
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

void putRaw(SDL_Surface* s, int x, int y, Uint32 p)
{
    reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x] = p;
}

Uint32 raw(SDL_Surface* s, int x, int y)
{
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
}

Uint32 opaque(SDL_Surface* s, Uint32 rgb)
{
    return SDL_MapRGBA(s->format, rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff, 255);
}

// A 100 x 100 ball picture: red, green, blue, white quadrants from top left.
SDL_Surface* quadrantPicture(int side = 100)
{
    SDL_Surface* s = makeSurface(side, side);
    const int h = side / 2;
    for (int y = 0; y < side; y++)
        for (int x = 0; x < side; x++)
            putRaw(s, x, y, opaque(s, y < h ? (x < h ? kRed : kGreen) : (x < h ? kBlue : kWhite)));
    return s;
}

// Saves what loadGfx may have set up and puts it back afterwards.
class BallsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        savedBall = ball;
        savedScratch = tmp_rotate;
        for (int i = 0; i < kAmigaBallSlots; i++)
            savedTable[i] = amigaball[i];
        savedDt = dt;
        tmp_rotate = nullptr;  // so initBallScratch leaves the saved one alone
        ball = Animation{};
        SDL_FillRect(screen, nullptr, 0);
    }
    void TearDown() override
    {
        if (tmp_rotate)
            SDL_FreeSurface(tmp_rotate);
        for (SDL_Surface* s : owned)
            SDL_FreeSurface(s);
        ball = savedBall;
        tmp_rotate = savedScratch;
        for (int i = 0; i < kAmigaBallSlots; i++)
            amigaball[i] = savedTable[i];
        dt = savedDt;
        useRealClock();
    }
    SDL_Surface* own(SDL_Surface* s)
    {
        owned.push_back(s);
        return s;
    }
    // The scratch surface made from `picture`, as loading makes it.
    void scratchFrom(SDL_Surface* picture)
    {
        ball.frames[0] = picture;
        ball.numFrames = 1;
        initBallScratch();
        ASSERT_NE(tmp_rotate, nullptr);
    }
    // Pixels of the size x size square that are not zero.
    int drawnInSquare(int size)
    {
        int n = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++)
                n += raw(tmp_rotate, x, y) != 0;
        return n;
    }

    Animation savedBall{};
    SDL_Surface* savedScratch = nullptr;
    AmigaBall savedTable[kAmigaBallSlots]{};
    float savedDt = 0;
    std::vector<SDL_Surface*> owned;
};

}  // namespace

TEST(BallZoom, FollowsTheDistanceFromTheMiddleAndHalvesRisingBalls)
{
    EXPECT_EQ(ballSize(ballScale(0, false)), 100);
    EXPECT_EQ(ballSize(ballScale(90, false)), 100);
    EXPECT_EQ(ballSize(ballScale(-90, false)), 100);
    EXPECT_EQ(ballSize(ballScale(91, false)), 99);
    // 0.7 as a float lies just below 0.7: 69, not 70.
    EXPECT_EQ(ballScale(-144, false), 0.7f);
    EXPECT_EQ(ballSize(ballScale(144, false)), 69);
    EXPECT_EQ(ballSize(ballScale(160, false)), 61);
    EXPECT_EQ(ballSize(ballScale(-160, false)), 61);
    for (int d : {0, 90, 144, -160}) {
        EXPECT_EQ(ballScale(d, true), 0.5f);
        EXPECT_EQ(ballSize(ballScale(d, true)), 50);
    }
}

TEST_F(BallsTest, BallCentreLandsOnTheSquareCentreAtEveryZoom)
{
    scratchFrom(own(quadrantPicture()));
    for (int size : {100, 69, 50})
        for (int angle : {0, 3}) {  // upright, and through the texture mapper
            renderBall(ball.frames[0], size / 100.0f, angle, size);
            const int c = size / 2, m = size / 4;
            EXPECT_EQ(rgbAt(tmp_rotate, c - m, c - m), kRed) << size << " at " << angle;
            EXPECT_EQ(rgbAt(tmp_rotate, c + m, c - m), kGreen) << size << " at " << angle;
            EXPECT_EQ(rgbAt(tmp_rotate, c - m, c + m), kBlue) << size << " at " << angle;
            EXPECT_EQ(rgbAt(tmp_rotate, c + m, c + m), kWhite) << size << " at " << angle;
            if (angle == 0) {  // the quadrants meet within a pixel of the centre
                EXPECT_EQ(rgbAt(tmp_rotate, c - 2, c - 2), kRed) << size;
                EXPECT_EQ(rgbAt(tmp_rotate, c + 1, c + 1), kWhite) << size;
            }
        }
}

TEST_F(BallsTest, QuarterTurnsMoveTheQuadrantsAndNeverDropTheBall)
{
    scratchFrom(own(quadrantPicture()));
    renderBall(ball.frames[0], 1.0f, 90, 100);
    EXPECT_EQ(rgbAt(tmp_rotate, 75, 25), kRed);  // top left went to top right
    EXPECT_EQ(rgbAt(tmp_rotate, 25, 25), kBlue);
    renderBall(ball.frames[0], 1.0f, 270, 100);
    EXPECT_EQ(rgbAt(tmp_rotate, 25, 75), kRed);
    // Near quarter turns the library's texture mapper loses the picture;
    // every angle must still show a whole ball.
    for (int size : {50, 61, 69, 100})
        for (int angle : {1, 89, 90, 91, 179, 180, 181, 269, 270, 271, 359, 360, 450}) {
            renderBall(ball.frames[0], size / 100.0f, angle, size);
            EXPECT_GT(drawnInSquare(size), size * size * 9 / 10) << size << " at " << angle;
        }
}

TEST_F(BallsTest, SquareIsClearedAndNothingOutsideItIsTouched)
{
    scratchFrom(own(quadrantPicture()));
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            putRaw(tmp_rotate, x, y, opaque(tmp_rotate, kGarbage));
    renderBall(ball.frames[0], 0.5f, 45, 50);
    // The turned ball leaves the corners of its square: all bits zero there.
    EXPECT_EQ(raw(tmp_rotate, 0, 0), 0u);
    EXPECT_EQ(raw(tmp_rotate, 49, 0), 0u);
    EXPECT_EQ(raw(tmp_rotate, 0, 49), 0u);
    EXPECT_EQ(raw(tmp_rotate, 49, 49), 0u);
    EXPECT_EQ(tmp_rotate->w, 50);
    EXPECT_EQ(tmp_rotate->h, 50);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            if (x >= 50 || y >= 50) {
                ASSERT_EQ(rgbAt(tmp_rotate, x, y), kGarbage) << x << "," << y;
            }
}

TEST_F(BallsTest, ScratchHasRoomForAFullBallWhateverThePictureSize)
{
    scratchFrom(own(quadrantPicture(40)));
    EXPECT_EQ(tmp_rotate->w, 100);
    EXPECT_EQ(tmp_rotate->h, 100);
    EXPECT_GE(tmp_rotate->pitch, 100 * tmp_rotate->format->BytesPerPixel);
    SDL_SetClipRect(tmp_rotate, nullptr);  // spans the storage
    EXPECT_GE(tmp_rotate->clip_rect.w, 100);
    EXPECT_GE(tmp_rotate->clip_rect.h, 100);
    EXPECT_EQ(tmp_rotate->format->Amask, ball.frames[0]->format->Amask);
    // A full-size ball of the small picture, turned, stays inside (the
    // sanitizers watch the storage).
    renderBall(ball.frames[0], 1.0f, 45, 100);
    EXPECT_GT(drawnInSquare(100), 0);

    SDL_FreeSurface(tmp_rotate);
    tmp_rotate = nullptr;
    scratchFrom(own(quadrantPicture(128)));  // larger pictures keep their room
    EXPECT_EQ(tmp_rotate->w, 100);
    EXPECT_GE(tmp_rotate->pitch, 128 * tmp_rotate->format->BytesPerPixel);
}

TEST_F(BallsTest, WithoutAPictureBallsStillMoveButNothingIsDrawn)
{
    ball.numFrames = 1;
    initBallScratch();
    EXPECT_EQ(tmp_rotate, nullptr);
    amigaball[0] = AmigaBall{};
    dt = 1.0f;
    setTicks(1000);
    drawAmigaBalls();
    EXPECT_EQ(amigaball[0].xPhase, 1);
    EXPECT_EQ(amigaball[0].angle, 1);
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 0);
}

// The blits, with a 50 x 50 square whose rows tell their own index, in a
// storage whose remaining pixels must never show.
class RisingBall : public BallsTest {
protected:
    void SetUp() override
    {
        BallsTest::SetUp();
        tmp_rotate = makeSurface(100, 100);
        SDL_SetAlpha(tmp_rotate, 0, 255);
        for (int y = 0; y < 100; y++)
            for (int x = 0; x < 100; x++)
                putRaw(tmp_rotate, x, y,
                       x < kSize && y < kSize ? opaque(tmp_rotate, kRowBase + y)
                                              : opaque(tmp_rotate, kGarbage));
        tmp_rotate->w = kSize;
        tmp_rotate->h = kSize;
    }
    // Screen row -> square row shown there, down the ball's middle column;
    // -1 where the screen is untouched.
    std::vector<int> rowsShown()
    {
        std::vector<int> rows(480, -1);
        for (int y = 0; y < 480; y++) {
            const Uint32 p = rgbAt(screen, kX + kSize / 2, y);
            if (p != 0)
                rows[y] = static_cast<int>(p - kRowBase);
        }
        return rows;
    }
    // The rows expected: square rows first..first+count-1 from screen row at.
    static std::vector<int> showing(int at, int first, int count)
    {
        std::vector<int> rows(480, -1);
        for (int i = 0; i < count; i++)
            rows[at + i] = first + i;
        return rows;
    }
    void rise(int y)
    {
        SDL_FillRect(screen, nullptr, 0);
        blitBall(kX, y, y + 4, kSize);
        // Never wider than the square.
        EXPECT_EQ(countNot(screen, 0, kX + kSize, 0, 640, 480), 0) << y;
    }
    static constexpr int kSize = 50;
    static constexpr int kX = 200;
    static constexpr Uint32 kRowBase = 0x108000;
};

TEST_F(RisingBall, ShowsOnlyWhatLiesOutsideTheMiddleBand)
{
    rise(100);  // top 21 rows, above the band
    EXPECT_EQ(rowsShown(), showing(100, 0, 21));
    rise(60);  // ends at row 109: wholly above
    EXPECT_EQ(rowsShown(), showing(60, 0, 50));
    rise(200);  // wholly within the band
    EXPECT_EQ(rowsShown(), showing(0, 0, 0));
    rise(330);  // rows 29..49 reach the bottom panel
    EXPECT_EQ(rowsShown(), showing(359, 29, 21));
    rise(365);  // wholly below the band's end: all of it, at its own row
    EXPECT_EQ(rowsShown(), showing(365, 0, 50));
}

TEST_F(RisingBall, BottomPanelEdgeIsExact)
{
    rise(309);  // ends just above row 359
    EXPECT_EQ(rowsShown(), showing(0, 0, 0));
    rise(310);  // only its last row, on row 359
    EXPECT_EQ(rowsShown(), showing(359, 49, 1));
}

TEST_F(RisingBall, FallingOrStandingBallsShowWhole)
{
    for (int y : {200, 330}) {
        SDL_FillRect(screen, nullptr, 0);
        blitBall(kX, y, y, kSize);
        EXPECT_EQ(rowsShown(), showing(y, 0, 50)) << y;
        EXPECT_EQ(countNot(screen, 0, kX + kSize, 0, 640, 480), 0);
    }
}

// Whole frames over a table of four falling balls side by side.
class BallFrames : public BallsTest {
protected:
    void SetUp() override
    {
        BallsTest::SetUp();
        // A solid picture per animation step, so every ball tells which one
        // it shows.
        for (int i = 0; i < 6; i++) {
            ball.frames[i] = own(makeSurface(100, 100));
            fillRgb(ball.frames[i], kStepColour[i]);
        }
        ball.numFrames = 5;
        ball.delay = 20;
        initBallScratch();
        // xPhase 100, 35, 0, 314 put the balls at x = -9, 130, 270, 550;
        // yPhase 0 holds them at y = 210, falling from row 0.
        const int xPhases[4] = {100, 35, 0, 314};
        for (int i = 0; i < 4; i++)
            amigaball[i] = AmigaBall{0, 0, 0, 0.0f, xPhases[i], 0, 0};
        amigaball[4] = AmigaBall{1, 2, 3, 0.25f, 4, 5, 6};
        setTicks(50000);
    }
    // The picture step shown by ball i, read at its centre.
    Uint32 shownBy(int i)
    {
        const AmigaBall& b = amigaball[i];
        return rgbAt(screen, std::max(b.x + 50, 0), b.y + 50);
    }
    static constexpr Uint32 kStepColour[6] = {0x102030, 0x405060, 0x708090,
                                              0xa0b0c0, 0xd0e0f0, 0x123456};
};

TEST_F(BallFrames, ShortFramesTurnTheBallsWithoutMovingThem)
{
    dt = 0.9f;  // 9 ms
    for (int frame = 1; frame <= 3; frame++) {
        SDL_FillRect(screen, nullptr, 0);
        drawAmigaBalls();
        const int expectX[4] = {-9, 130, 270, 550};
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(amigaball[i].x, expectX[i]) << i;
            EXPECT_EQ(amigaball[i].y, 210) << i;
            EXPECT_EQ(amigaball[i].angle, frame) << i;
            EXPECT_EQ(amigaball[i].scale, 1.0f) << i;
        }
    }
    EXPECT_EQ(amigaball[1].xPhase, 35);
    EXPECT_EQ(amigaball[1].yPhase, 0);

    dt = 1.9f;  // 19 ms: one whole unit
    drawAmigaBalls();
    EXPECT_EQ(amigaball[1].xPhase, 36);
    EXPECT_EQ(amigaball[1].yPhase, 1);
    EXPECT_EQ(amigaball[1].angle, 4);
    EXPECT_EQ(amigaball[1].prevY, 210);
    EXPECT_EQ(amigaball[1].y, 204);  // d = toInt(sin(-0.04) * 160) = -6: rising
    EXPECT_EQ(amigaball[1].scale, 0.5f);
}

TEST_F(BallFrames, AllBallsShowTheSamePictureStepOnceAFrame)
{
    dt = 0.0f;
    drawAmigaBalls();  // the first call steps from picture 0 to 1 at once
    EXPECT_EQ(ball.curFrame, 1);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(shownBy(i), kStepColour[1]) << i;

    advanceTicks(21);
    SDL_FillRect(screen, nullptr, 0);
    drawAmigaBalls();
    EXPECT_EQ(ball.curFrame, 2);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(shownBy(i), kStepColour[2]) << i;

    // The fifth ball is set up but never moved or drawn.
    EXPECT_EQ(amigaball[4].angle, 3);
    EXPECT_EQ(amigaball[4].xPhase, 4);
    EXPECT_EQ(amigaball[4].scale, 0.25f);
}

TEST(BallSetUp, SixDrawsPerBallForFiveBallsThenTheSnowDrawsOn)
{
    std::srand(1);
    std::vector<int> draws(831);
    for (int& r : draws)
        r = std::rand();

    std::srand(1);
    setupAmigaBalls();
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(amigaball[i].y, draws[6 * i + 3] % 250) << i;
        EXPECT_EQ(amigaball[i].angle, 0);
        EXPECT_EQ(amigaball[i].xPhase, 60 * i);
        EXPECT_EQ(amigaball[i].yPhase, 25 * i);
    }
    EXPECT_EQ(std::rand(), draws[30]);

    std::srand(1);
    setupAmigaBalls();
    initSnow();
    EXPECT_EQ(std::rand(), draws[830]);
}
