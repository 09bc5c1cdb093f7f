// The readable invitation format: the shipped text must be exactly the
// built-in one, and edits compile to what a hand-written raw text would be.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "effects/typewriter.h"
#include "party/invitation.h"
#include "party/invitation_check.h"
#include "party/letters.h"

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string shipped()
{
    return readFile(FROSTHEM_SOURCE_DIR "/data/invitation.txt");
}

std::string compileClean(const std::string& text)
{
    Problems problems;
    const CompiledInvitation c = compileInvitation(text, "invitation.txt", problems);
    for (const Problem& p : problems)
        ADD_FAILURE() << describe(p);
    EXPECT_EQ(c.raw.size(), c.places.size());
    return c.raw;
}

// `from` must occur exactly once in `s`.
std::string replaced(std::string s, const std::string& from, const std::string& to)
{
    const size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    EXPECT_EQ(s.find(from, at + 1), std::string::npos) << from;
    if (at != std::string::npos)
        s.replace(at, from.size(), to);
    return s;
}

std::string spaces(int n)
{
    return std::string(static_cast<size_t>(n), ' ');
}

TEST(Invitation, ShippedTextIsTheBuiltInMessage)
{
    const std::string raw = compileClean(shipped());
    EXPECT_EQ(raw, std::string(intromessage));
    EXPECT_EQ(raw.size(), static_cast<size_t>(kIntroMessageLength));
}

TEST(Invitation, EditsCompileToTheHandWrittenRawText)
{
    const std::string builtIn = intromessage;
    const std::string warned = "YOU'VE BEEN WARNED! {pause 7}\n";
    const std::string rawWarned = "#YOU'VE BEEN WARNED!" + spaces(7);
    struct Case {
        const char* what;
        std::string from, to;        // in the readable text
        std::string rawFrom, rawTo;  // the same edit made by hand in the raw text
    };
    const Case cases[] = {
        {"an added page", warned, warned + "\nBRING SNACKS.\nLOTS OF THEM. {pause 30}\n", rawWarned,
         rawWarned + "#BRING SNACKS. <LOTS OF THEM." + spaces(30)},
        {"a longer hold", "HEY THERE! {pause 19}", "HEY THERE! {pause 60}",
         "#HEY THERE!" + spaces(19) + "#", "#HEY THERE!" + spaces(60) + "#"},
        {"a centred title", warned, "{centre}" + warned, rawWarned,
         "#" + spaces(6) + "YOU'VE BEEN WARNED!" + spaces(7)},
        {"a centred line of even room", warned, "{center}YOU'VE BEEN WARNED!! {pause 7}\n",
         rawWarned, "#" + spaces(6) + "YOU'VE BEEN WARNED!!" + spaces(7)},
        // 10 positions typed: a hold of 10 + 10 / 8.
        {"the default hold", "HEY THERE! {pause 19}", "HEY THERE!",
         "#HEY THERE!" + spaces(19) + "#", "#HEY THERE!" + spaces(11) + "#"},
        {"the default hold of a long page", warned,
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345\nABCDEFGHIJKLMNOPQRSTUVWXYZ012345\n", rawWarned,
         "#ABCDEFGHIJKLMNOPQRSTUVWXYZ012345 <ABCDEFGHIJKLMNOPQRSTUVWXYZ012345" +
             spaces(10 + 66 / 8)},
        {"a word gap by default", "HUNDREDS OF NERDS CAME. {pause 5}", "HUNDREDS OF NERDS CAME.",
         "CAME.     <", "CAME. <"},
        {"spaces before a pause mark do not count", "ON SKIS.\n", "ON SKIS.      {pause 3}  \n",
         "ON SKIS. <", "ON SKIS.   <"},
        {"accented letters", "HEY THERE! {pause 19}", "HÉJ DÄR, ÅSA! {pause 19}", "#HEY THERE!",
         "#H\x86J D\x81R, \x82SA!"},
        {"a literal brace", "HEY THERE! {pause 19}", "HEY {{THERE}! {pause 19}", "#HEY THERE!",
         "#HEY {THERE}!"},
        {"a note between lines", "ON SKIS.\n", "ON SKIS.\n# cold ones\n", "ON SKIS. <",
         "ON SKIS. <"},
        {"blank lines and spaces between pages", "\nHEY THERE!", "\n   \n\n \nHEY THERE!", "#HEY",
         "#HEY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(compileClean(replaced(shipped(), c.from, c.to)),
                  replaced(builtIn, c.rawFrom, c.rawTo));
    }
}

TEST(Invitation, WindowsLineEndsAndByteOrderMarkReadTheSame)
{
    std::string crlf = "\xef\xbb\xbf";
    for (char ch : shipped()) {
        if (ch == '\n')
            crlf += '\r';
        crlf += ch;
    }
    EXPECT_EQ(compileClean(crlf), std::string(intromessage));
}

TEST(Invitation, RawFormatIsTakenAsWrittenWithoutItsLineEnds)
{
    std::string file = "{raw}\n";
    for (const char* p = intromessage; *p; p++) {
        if (*p == '#')
            file += '\n';
        file += *p;
    }
    file += '\n';
    EXPECT_EQ(compileClean(file), std::string(intromessage));
    EXPECT_EQ(compileClean("{raw}\n  #A <B É @"), "  #A <B \x86 @");
    EXPECT_EQ(compileClean("\xef\xbb\xbf{raw}\n  #A @"), "  #A @");
}

TEST(Invitation, PlacesPointAtTheSourceCharacters)
{
    Problems problems;
    const CompiledInvitation c = compileInvitation("# note\n\n  AB\nÉC\n", "f", problems);
    ASSERT_TRUE(problems.empty());
    const size_t b = c.raw.find('B');
    const size_t e = c.raw.find('\x86');
    ASSERT_NE(b, std::string::npos);
    ASSERT_NE(e, std::string::npos);
    EXPECT_EQ(c.places[b].line, 3);
    EXPECT_EQ(c.places[b].column, 4);
    EXPECT_EQ(c.places[e + 1].line, 4);
    EXPECT_EQ(c.places[e + 1].column, 2);  // columns count characters, not bytes
}

TEST(Invitation, SummaryOfTheBuiltInText)
{
    const InvitationSummary s = summarize(intromessage);
    EXPECT_EQ(s.pages, 29);
    EXPECT_EQ(s.lines, 29 + 35);
    EXPECT_EQ(s.advances, 1887);
    EXPECT_NEAR(s.fastestSeconds, 1887 * 0.021, 1e-9);
    EXPECT_NEAR(s.slowestSeconds, 1887 * 0.090, 1e-9);
}

TEST(Letters, Utf8RoundTripAndRefusals)
{
    for (int code = ' '; code < kFirstExtraCode + kExtraLetterCount; code++) {
        const std::string s = letterUtf8(code);
        char32_t c;
        int length;
        ASSERT_TRUE(decodeUtf8(s, 0, c, length)) << code;
        EXPECT_EQ(length, static_cast<int>(s.size()));
        EXPECT_EQ(letterCode(c), code);
    }
    struct Bad {
        const char* what;
        std::string bytes;
    };
    const Bad bad[] = {
        {"a lone continuation byte", "\x80"},       {"a cut sequence", "\xc3"},
        {"an overlong slash", "\xc0\xaf"},          {"a surrogate", "\xed\xa0\x80"},
        {"past Unicode's end", "\xf4\x90\x80\x80"}, {"a bad second byte", "\xc3\x41"},
    };
    for (const Bad& b : bad) {
        char32_t c;
        int length;
        EXPECT_FALSE(decodeUtf8(b.bytes, 0, c, length)) << b.what;
        EXPECT_EQ(length, 1) << b.what;
    }
}

}  // namespace
