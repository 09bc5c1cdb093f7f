// Every problem an invitation file can have, each reported with its place
// and what to do, all of them at once.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "party/invitation.h"
#include "party/invitation_check.h"

namespace {

constexpr int kAsciiGlyphs = '~' - '!' + 1;
constexpr int kFullGlyphs = 126;

std::vector<std::string> problemsOf(const std::string& text, int glyphs)
{
    Problems problems;
    const CompiledInvitation c = compileInvitation(text, "inv.txt", problems);
    if (problems.empty())
        checkInvitation(c, "inv.txt", glyphs, problems);
    std::vector<std::string> out;
    for (const Problem& p : problems)
        out.push_back(describe(p));
    return out;
}

TEST(InvitationCheck, EveryProblemIsLocatedWithWhatToDo)
{
    const std::string line33(33, 'X');
    struct Case {
        const char* what;
        std::string text;
        int glyphs;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"a good readable text", "HELLO\nTHERE\n\nBYE\n", kAsciiGlyphs, {}},
        {"a good raw text", "{raw}\n  #HI   #BYE @", kAsciiGlyphs, {}},
        {"nothing but notes",
         "# only a note\n\n",
         kAsciiGlyphs,
         {"inv.txt:1:1: no pages: write the invitation as paragraphs, one per page"}},
        {"an empty raw text",
         "{raw}\n",
         kAsciiGlyphs,
         {"inv.txt: the invitation is empty: write at least one page"}},
        {"raw marks in readable text",
         "A#B\nC<D@\n",
         kAsciiGlyphs,
         {"inv.txt:1:2: '#' is a mark of the raw format and is never shown: start a new line or "
          "page "
          "instead, or write the file in the raw format",
          "inv.txt:2:2: '<' is a mark of the raw format and is never shown: start a new line or "
          "page "
          "instead, or write the file in the raw format",
          "inv.txt:2:4: '@' is a mark of the raw format and is never shown: start a new line or "
          "page "
          "instead, or write the file in the raw format"}},
        {"a tab, a control character and broken UTF-8",
         "A\tB\x01 \xff\n",
         kAsciiGlyphs,
         {"inv.txt:1:2: a tab: use spaces, each takes one cell",
          "inv.txt:1:4: control character U+0001: remove it",
          "inv.txt:1:6: this is not UTF-8 text: save the file as UTF-8"}},
        {"a letter the fonts do not have",
         "ÅÎ ẞ\n",
         kFullGlyphs,
         {"inv.txt:1:2: 'Î' (U+00CE) has no glyph in the font: write it another way (the font "
          "holds ASCII "
          "and the common accented Latin letters)",
          "inv.txt:1:4: 'ẞ' (U+1E9E) has no glyph in the font: write it another way (the font "
          "holds ASCII "
          "and the common accented Latin letters)"}},
        {"marks out of place, unknown or unclosed",
         "A {centre}\n{blank} B\nC {pause 2} D\n{wait 3}\nE {pause\n",
         kAsciiGlyphs,
         {"inv.txt:1:3: {centre} belongs at the start of the line: move it there",
          "inv.txt:2:9: text after {blank}: put it on the next line",
          "inv.txt:3:3: {pause 2} belongs at the end of the line: move it there",
          "inv.txt:4:1: unknown mark {wait 3}: the marks are {pause N}, {centre} and {blank}; "
          "write '{{' "
          "for the letter '{'",
          "inv.txt:5:3: '{' opens a mark that is not closed: close it with '}', or write '{{' for "
          "the "
          "letter '{'"}},
        {"pauses of no position at a page end, or too long",
         "A {pause 0}\n\nB\nC {pause 999999999}\n",
         kAsciiGlyphs,
         {"inv.txt:1:3: a page ends with a pause of at least 1 position (its last position is "
          "never "
          "shown): write {pause 1} or more",
          "inv.txt:4:3: a pause of 999999999 positions is over a minute: at most 1000"}},
        {"a line too wide and a fifth line",
         "A\nB\nC\n" + line33 + "\nE\n",
         kAsciiGlyphs,
         {"inv.txt:4:33: the line is 33 cells wide and at most 32 fit in the bubble: break it "
          "earlier",
          "inv.txt:4:34: a page holds at most 4 lines and this '<' starts a fifth: move the rest "
          "to a new page"}},
        {"a centred line too wide",
         "{centre}" + line33 + "\n",
         kAsciiGlyphs,
         {"inv.txt:1:41: the line is 33 cells wide and at most 32 fit in the bubble: break it "
          "earlier"}},
        {"accented letters in a font without them",
         "ÄB\n",
         kAsciiGlyphs,
         {"inv.txt:1:1: 'Ä' has no glyph in the font: write it another way"}},
        {"raw: a page that does not end with a space",
         "{raw}\n  #AB#CD @",
         kAsciiGlyphs,
         {"inv.txt:2:5: 'B' is the page's last position, which is never shown: end the page with a "
          "space"}},
        {"raw: a text that begins with a page mark",
         "{raw}\n#AB @",
         kAsciiGlyphs,
         {"inv.txt:2:1: a page of fewer than 2 positions: write at least one space before the "
          "'#'"}},
        {"raw: an empty page and an empty last page",
         "{raw}\n  #AB ##\n@",
         kAsciiGlyphs,
         {"inv.txt:2:8: a page of fewer than 2 positions: write at least one space before the '#'",
          "inv.txt:3:1: a page of fewer than 2 positions: write at least one space before the "
          "'@'"}},
        {"raw: no end mark, and one too early",
         "{raw}\n  #AB@C \n #D ",
         kAsciiGlyphs,
         {"inv.txt:2:6: '@' ends the text here and what follows is never typed: keep one '@', at "
          "the very end",
          "inv.txt:3:4: the text does not end with '@': end it with '@'"}},
        {"raw: every rule of a page at once",
         "{raw}\n  #<<<<" + line33 + "Ä#X @",
         kAsciiGlyphs,
         {"inv.txt:2:7: a page holds at most 4 lines and this '<' starts a fifth: move the rest to "
          "a new page",
          "inv.txt:2:40: the line is 34 cells wide and at most 32 fit in the bubble: break it "
          "earlier",
          "inv.txt:2:41: 'Ä' is the page's last position, which is never shown: end the page with "
          "a space",
          "inv.txt:2:41: 'Ä' has no glyph in the font: write it another way"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(problemsOf(c.text, c.glyphs), c.expected);
    }
}

// Whatever bytes a file holds, compiling and checking it ends with every
// byte of the text placed and nothing read out of bounds (the sanitizer
// build watches).
TEST(InvitationCheck, AnyBytesAreReadSafely)
{
    std::vector<std::string> texts = {"",
                                      "{",
                                      "}",
                                      "{}",
                                      "{{",
                                      "{raw}",
                                      "{raw}\n@",
                                      "{raw}\n#",
                                      "{raw}\n<<#",
                                      "\n\n\n",
                                      "\r",
                                      "A\0B",
                                      "{pause}",
                                      "{pause x}",
                                      "{centre}",
                                      "{blank}\n{blank}",
                                      "\xc3",
                                      "\xf4\x90\x80\x80",
                                      std::string(100000, 'W')};
    // And some noise made of the format's own characters, from a fixed seed.
    const char alphabet[] = "AZ {}#<@\n\r\t\xc3\xa5pause 0123blankcentreraw";
    std::uint32_t state = 2027;
    for (int n = 0; n < 200; n++) {
        std::string t;
        for (int i = 0; i < 60; i++) {
            state ^= state << 13, state ^= state >> 17, state ^= state << 5;
            t += alphabet[state % (sizeof alphabet - 1)];
        }
        texts.push_back((n % 2 ? "{raw}\n" : "") + t);
    }
    for (const std::string& text : texts) {
        Problems problems;
        const CompiledInvitation c = compileInvitation(text, "f", problems);
        ASSERT_EQ(c.raw.size(), c.places.size());
        checkInvitation(c, "f", kFullGlyphs, problems);
        summarize(c.raw);
        for (const Problem& p : problems)
            EXPECT_FALSE(p.message.empty());
    }
}

}  // namespace
