#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets.h"
#include "clock.h"
#include "effects/typewriter.h"
#include "globals.h"
#include "testutil.h"

namespace {

constexpr int kX = 290, kY = 30;
constexpr int kCell = 10, kLine = 20;
constexpr int kBubbleCells = 32;
constexpr Uint32 kStart = 100000;
constexpr Uint32 kLongFrameMs = 100;  // longer than any pause the pace draws

// ---- The text itself -------------------------------------------------------

std::vector<std::string> split(const std::string& s, char mark)
{
    std::vector<std::string> parts(1);
    for (char c : s) {
        if (c == mark)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// The pages after the lead-in, the last one without its end mark.
std::vector<std::string> pages()
{
    std::string text(intromessage);
    text.pop_back();
    std::vector<std::string> p = split(text, '#');
    p.erase(p.begin());
    return p;
}

bool visible(char c) { return c != ' ' && c != '<'; }

int trailingBlanks(const std::string& page)
{
    int n = 0;
    while (n < static_cast<int>(page.size()) && !visible(page[page.size() - 1 - n]))
        n++;
    return n;
}

TEST(InvitationText, KeepsTheMessageFormat)
{
    const std::string text(intromessage);
    ASSERT_EQ(text.size(), 1947u);
    EXPECT_EQ(text.find('@'), text.size() - 1);
    EXPECT_EQ(text.find('#'), 11u);
    EXPECT_EQ(text.substr(0, 11), std::string(11, ' '));
    EXPECT_EQ(std::count(text.begin(), text.end(), '<'), 35);
    for (char c : text)
        EXPECT_TRUE(std::strchr("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 !',-.:?#<@", c)) << c;

    const std::vector<std::string> p = pages();
    ASSERT_EQ(p.size(), 29u);
    EXPECT_EQ(p[0], "HEY THERE!" + std::string(19, ' '));
    EXPECT_EQ(p[28].size(), 125u);
    EXPECT_EQ(p[28].substr(103), std::string(22, ' '));
    EXPECT_NE(p[28][102], ' ');
    size_t shortest = 999, longest = 0;
    int fewest = 99, most = 0;
    for (int i = 0; i < 28; i++) {
        shortest = std::min(shortest, p[i].size());
        longest = std::max(longest, p[i].size());
        fewest = std::min(fewest, trailingBlanks(p[i]));
        most = std::max(most, trailingBlanks(p[i]));
    }
    EXPECT_EQ(shortest, 26u);
    EXPECT_EQ(longest, 125u);
    EXPECT_EQ(fewest, 7);
    EXPECT_EQ(most, 25);
}

TEST(InvitationText, LinesFitTheBubble)
{
    int widest = 0;
    for (const std::string& page : pages()) {
        const std::vector<std::string> lines = split(page, '<');
        EXPECT_GE(lines.size(), 1u);
        EXPECT_LE(lines.size(), 4u) << page;
        for (size_t j = 0; j < lines.size(); j++) {
            const std::string& l = lines[j];
            const int inked = static_cast<int>(l.find_last_not_of(' ') + 1);
            widest = std::max(widest, inked);
            // A page's closing pause may run past the bubble; nothing else may.
            EXPECT_LE(j + 1 < lines.size() ? static_cast<int>(l.size()) : inked, kBubbleCells)
                << l;
        }
    }
    EXPECT_EQ(widest, kBubbleCells);
}

TEST(InvitationText, PausesBeforeLineBreaks)
{
    const std::string text(intromessage);
    int words = 0, holds = 0, longest = 0;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] != '<')
            continue;
        int n = 0;
        while (text[i - 1 - n] == ' ')
            n++;
        words += n == 1;
        holds += n >= 5;
        longest = std::max(longest, n);
    }
    EXPECT_EQ(words, 18);
    EXPECT_EQ(holds, 9);
    EXPECT_EQ(longest, 11);
}

TEST(InvitationText, TitlePagesAreCentred)
{
    const std::vector<std::string> p = pages();
    const std::string& opening = p[11];
    const std::string& closing = p[28];
    EXPECT_EQ(opening[0], '<');
    EXPECT_NE(opening.find("FROSTHEM LAN"), std::string::npos);
    EXPECT_NE(closing.find("FROSTHEM.EXAMPLE.ORG"), std::string::npos);
    for (const std::string* page : {&opening, &closing}) {
        for (const std::string& l : split(*page, '<')) {
            if (l.empty())
                continue;
            const int lead = static_cast<int>(l.find_first_not_of(' '));
            const int inked = static_cast<int>(l.find_last_not_of(' ') + 1);
            EXPECT_EQ(lead, (kBubbleCells - (inked - lead)) / 2) << l;
        }
    }
}

// ---- Typing ----------------------------------------------------------------

struct Glyph {
    char c;
    int x, y;
    bool operator==(const Glyph& o) const { return c == o.c && x == o.x && y == o.y; }
};
std::vector<Glyph> drawn;

void recordGlyph(char* glyph, Sint16 x, Sint16 y)
{
    EXPECT_EQ(glyph[1], '\0');
    drawn.push_back({glyph[0], x, y});
}

// Checks that this call's glyphs are the page's first positions laid out on
// the grid, and returns the last position they reach (-1 for none).
int lastShownPosition(const char* page)
{
    int col = 0, row = 0, pos = 0;
    size_t g = 0;
    for (; g < drawn.size(); pos++) {
        if (page[pos] == '<') {
            row++;
            col = 0;
            continue;
        }
        EXPECT_TRUE((drawn[g] == Glyph{page[pos], kX + kCell * col, kY + kLine * row}))
            << "position " << pos << " drawn as '" << drawn[g].c << "' at " << drawn[g].x << ","
            << drawn[g].y;
        g++;
        col++;
    }
    return pos - 1;
}

class Typewriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTypewriter();
        typewriterGlyphOut = recordGlyph;
        std::srand(1);
    }
    void TearDown() override { resetTypewriter(); }
    VirtualClock clock{kStart};
    static void frame(Uint32 ms = kLongFrameMs)
    {
        drawn.clear();
        advanceTicks(ms);
        printMsg(kX, kY);
    }
    static const char* lastPage() { return std::strrchr(intromessage, '#') + 1; }
};

TEST_F(Typewriter, FirstFrameShowsABlankAndAdvances)
{
    drawn.clear();
    printMsg(kX, kY);
    EXPECT_EQ(drawn, (std::vector<Glyph>{{' ', kX, kY}}));
    EXPECT_EQ(msgpos, 1);
    EXPECT_EQ(lastprint, kStart);
}

TEST_F(Typewriter, LeadInTurnsToTheFirstPage)
{
    for (int i = 0; i < 10; i++) {
        frame();
        EXPECT_EQ(static_cast<int>(drawn.size()), i + 1);
        EXPECT_EQ(drawn.back().x, kX + kCell * i);  // never reaches the 11th blank
    }
    frame();
    EXPECT_EQ(drawn, (std::vector<Glyph>{{'H', kX, kY}}));
    EXPECT_EQ(currentsection, intromessage + 12);
}

TEST_F(Typewriter, PageOpeningWithLineBreakStartsOneLineLower)
{
    const char* page = std::strstr(intromessage, "#<") + 1;
    const int first = static_cast<int>(std::strspn(page + 1, " ")) + 1;
    currentsection = page;
    msgpos = first;
    drawn.clear();
    printMsg(kX, kY);
    ASSERT_EQ(static_cast<int>(drawn.size()), first);
    EXPECT_EQ(drawn.front(), (Glyph{' ', kX, kY + kLine}));
    EXPECT_EQ(drawn.back(), (Glyph{page[first], kX + kCell * (first - 1), kY + kLine}));
}

TEST_F(Typewriter, WholeMessageTakes1887Advances)
{
    int calls = 0;
    while (!printer_finished && calls < 5000) {
        frame();
        calls++;
        const int last = lastShownPosition(currentsection);
        ASSERT_NE(currentsection[last + 1], '#') << "showed the blank before a page break";
        if (printer_finished) {
            EXPECT_EQ(currentsection[last + 1], '@');
        }
    }
    EXPECT_EQ(calls - 1, 1887);
    EXPECT_EQ(currentsection, lastPage());
    const std::vector<Glyph> final = drawn;
    for (int i = 0; i < 5; i++) {
        frame();
        EXPECT_EQ(drawn, final);
        EXPECT_EQ(msgpos, 124);
    }
}

TEST_F(Typewriter, EndMarkFreezesThePageButNotTheRandomSequence)
{
    currentsection = lastPage();
    msgpos = 124;
    frame();
    ASSERT_EQ(printer_finished, 1);
    const std::vector<Glyph> final = drawn;

    std::srand(7);
    for (int i = 0; i < 20; i++) {
        const Uint32 before = lastprint;
        frame(i % 2 ? kLongFrameMs : 0);
        EXPECT_EQ(drawn, final);
        EXPECT_EQ(msgpos, 124);
        EXPECT_EQ(lastprint, i % 2 ? getTicks() : before);
    }
    const int next = std::rand();
    std::srand(7);
    for (int i = 0; i < 20; i++)
        std::rand();
    EXPECT_EQ(next, std::rand()) << "expected exactly one rand() per call";
}

TEST_F(Typewriter, PaceIsStrictlyLongerThanTheDrawnThreshold)
{
    const Uint32 threshold = static_cast<Uint32>(std::rand() % 70) + 20;
    msgpos = 3;
    lastprint = kStart;
    std::srand(1);
    setTicks(kStart + threshold);
    printMsg(kX, kY);
    EXPECT_EQ(msgpos, 3);
    EXPECT_EQ(lastprint, kStart);

    std::srand(1);
    setTicks(kStart + threshold + 1);
    printMsg(kX, kY);
    EXPECT_EQ(msgpos, 4);
    EXPECT_EQ(lastprint, kStart + threshold + 1);
}

TEST_F(Typewriter, LongFrameTypesOnePosition)
{
    msgpos = 3;
    frame(60000);
    EXPECT_EQ(msgpos, 4);
}

TEST_F(Typewriter, AdvancesAre21To90MsApart)
{
    std::vector<Uint32> gaps;
    Uint32 previous = 0;
    for (int i = 0; i < 4000; i++) {
        // A page turn by itself is not an advance; a new lastprint is.
        const Uint32 before = lastprint;
        const int pos = msgpos;
        frame(1);
        if (lastprint == before)
            continue;
        EXPECT_NE(msgpos, pos);
        if (previous)
            gaps.push_back(getTicks() - previous);
        previous = getTicks();
    }
    ASSERT_GT(gaps.size(), 50u);
    EXPECT_GE(*std::min_element(gaps.begin(), gaps.end()), 21u);
    EXPECT_LE(*std::max_element(gaps.begin(), gaps.end()), 90u);
}

TEST(TypewriterFont, TypesIntoTheBubble)
{
    const char* path = "gfx/mario3.bmp";
    initTestScreen();
    if (!font)
        font = sge_BF_OpenFont(const_cast<char*>(path), SGE_BFTRANSP | SGE_BFSFONT);
    resetTypewriter();
    currentsection = intromessage + 12;  // "HEY THERE!"
    msgpos = 9;
    VirtualClock clock{kStart};
    lastprint = kStart;
    fillRgb(screen, 0);
    printMsg(kX, kY);
    EXPECT_GT(countNot(screen, 0, kX, kY, kX + 10 * kCell, kY + kLine), 0);
    EXPECT_EQ(countNot(screen, 0, kX + 11 * kCell, 0, kScreenWidth, kScreenHeight), 0);
    EXPECT_EQ(countNot(screen, 0, 0, kY + kLine, kScreenWidth, kScreenHeight), 0);
    resetTypewriter();
}

}  // namespace
