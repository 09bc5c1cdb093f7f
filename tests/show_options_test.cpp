// The show's command line, in-process and through the real program, and the
// window size chosen for common desktops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "show_options.h"
#include "window.h"

namespace {

CommandLine parse(const std::vector<std::string>& args)
{
    return parseCommandLine(args);
}

TEST(Options, NoneMeansAScaledWindowWithSound)
{
    const CommandLine line = parse({});
    EXPECT_EQ(line.action, CommandLineAction::Run);
    EXPECT_FALSE(line.options.fullscreen);
    EXPECT_EQ(line.options.scale, 0);
    EXPECT_FALSE(line.options.mute);
}

TEST(Options, EachOptionIsRead)
{
    const CommandLine line = parse({"--fullscreen", "--scale", "3", "--mute"});
    ASSERT_EQ(line.action, CommandLineAction::Run);
    EXPECT_TRUE(line.options.fullscreen);
    EXPECT_EQ(line.options.scale, 3);
    EXPECT_TRUE(line.options.mute);

    EXPECT_EQ(parse({"--scale=16"}).options.scale, 16);
    EXPECT_EQ(parse({"--scale", "4", "--scale", "auto"}).options.scale, 0);
    EXPECT_FALSE(parse({"--fullscreen", "--window"}).options.fullscreen);
    EXPECT_TRUE(parse({"--window", "--fullscreen"}).options.fullscreen);
}

TEST(Options, APartyACheckAndAStartAreRead)
{
    const CommandLine line = parse({"--party", "my party", "--check", "--start", "95.25"});
    ASSERT_EQ(line.action, CommandLineAction::Run) << line.error;
    EXPECT_EQ(line.options.party, "my party");
    EXPECT_TRUE(line.options.check);
    EXPECT_EQ(line.options.startMs, 95250u);

    EXPECT_EQ(parse({"--party=a=b"}).options.party, "a=b");
    struct Start {
        const char* text;
        Uint32 ms;
    };
    for (const Start s : {Start{"0", 0}, Start{"18.5", 18500}, Start{"18.05", 18050},
                          Start{"0.001", 1}, Start{"86400", kMaxStartMs}})
        EXPECT_EQ(parse({std::string("--start=") + s.text}).options.startMs, s.ms) << s.text;
}

TEST(Options, HelpAndVersionWinOverTheRest)
{
    EXPECT_EQ(parse({"--mute", "--help"}).action, CommandLineAction::Help);
    EXPECT_EQ(parse({"-h"}).action, CommandLineAction::Help);
    EXPECT_EQ(parse({"--version", "--bogus"}).action, CommandLineAction::Version);
    // Wherever they stand, whatever is wrong before them.
    EXPECT_EQ(parse({"--bogus", "--help"}).action, CommandLineAction::Help);
    EXPECT_EQ(parse({"--scale", "99", "-h"}).action, CommandLineAction::Help);
    EXPECT_EQ(parse({"extra", "--version"}).action, CommandLineAction::Version);
    EXPECT_EQ(parse({"--version", "--help"}).action, CommandLineAction::Help);
    EXPECT_EQ(versionText(), std::string("frosthem ") + FROSTHEM_VERSION);
}

TEST(Options, MistakesAreRefusedWithTheReason)
{
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--Mute"}, "unknown option '--Mute'"},
        {{"extra"}, "unexpected argument 'extra'"},
        {{"--scale"}, "--scale needs a value"},
        {{"--mute", "--scale"}, "--scale needs a value"},
        {{"--scale", "0"}, "bad --scale '0'"},
        {{"--scale", "17"}, "bad --scale '17'"},
        {{"--scale", "-1"}, "bad --scale '-1'"},
        {{"--scale", "2.5"}, "bad --scale '2.5'"},
        {{"--scale", "02"}, "bad --scale '02'"},
        {{"--scale", "+2"}, "bad --scale '+2'"},
        {{"--scale", " 2"}, "bad --scale ' 2'"},
        {{"--scale", "99999999999999999999"}, "bad --scale"},
        {{"--scale", "AUTO"}, "bad --scale 'AUTO'"},
        {{"--scale", ""}, "bad --scale ''"},
        {{"--scale="}, "bad --scale ''"},
        {{"--scale", "--mute"}, "bad --scale '--mute'"},
        {{"--party"}, "--party needs a value"},
        {{"--party="}, "--party needs a value"},
        {{"--start"}, "--start needs a value"},
        {{"--start", "-1"}, "bad --start '-1'"},
        {{"--start", "1e3"}, "bad --start '1e3'"},
        {{"--start", "1.2345"}, "bad --start '1.2345'"},
        {{"--start", "2."}, "bad --start '2.'"},
        {{"--start", ".5"}, "bad --start '.5'"},
        {{"--start", "86400.001"}, "bad --start '86400.001'"},
        {{"--start", "99999999999"}, "bad --start"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.args);
        EXPECT_EQ(line.action, CommandLineAction::Error) << c.args.back();
        EXPECT_NE(line.error.find(c.says), std::string::npos) << line.error;
    }
}

TEST(Options, ScaleFillsNinetyPercentOfTheDesktopInWholeSteps)
{
    EXPECT_EQ(chooseScale(1024, 768), 1);
    EXPECT_EQ(chooseScale(1920, 1080), 2);  // 3x would be 1440 high
    EXPECT_EQ(chooseScale(2560, 1440), 2);  // 3x is 1440: not within 90%
    EXPECT_EQ(chooseScale(3840, 2160), 4);
    EXPECT_EQ(chooseScale(0, 0), 1);  // unknown
    EXPECT_EQ(chooseScale(-1, 1080), 1);
    EXPECT_EQ(chooseScale(640, 480), 1);  // too small even for 1x: still 1x
    EXPECT_EQ(chooseScale(1423, 1067), 2);  // exactly 90% of 1422.2 x 1066.7 is needed
    EXPECT_EQ(chooseScale(1422, 1067), 1);
    EXPECT_EQ(chooseScale(100000, 100000), kMaxScale);
}

TEST(Options, AskedScaleIsBroughtDownToTheDesktop)
{
    EXPECT_EQ(fitScale(16, 1920, 1080), 2);  // 3x would be 1440 high
    EXPECT_EQ(fitScale(2, 1920, 1080), 2);
    EXPECT_EQ(fitScale(3, 1920, 1440), 3);   // exactly the desktop
    EXPECT_EQ(fitScale(4, 2559, 1920), 3);   // one pixel short of 4x wide
    EXPECT_EQ(fitScale(5, 800, 400), 1);     // smaller than 1x still opens at 1x
    EXPECT_EQ(fitScale(7, 0, 0), 7);         // unknown: as asked
}

harness::ProgramResult runShow(const std::vector<std::string>& args)
{
    harness::ProgramSpec spec{{FROSTHEM_BINARY}, {}, {}};
    spec.argv.insert(spec.argv.end(), args.begin(), args.end());
    return harness::runProgram(spec, 30);
}

// Through the real program: answers that need no display at all.
TEST(Options, TheProgramAnswersAndExits)
{
    const harness::ProgramResult help = runShow({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind(usageLine() + "\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--fullscreen"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const harness::ProgramResult version = runShow({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, versionText() + "\n");

    const harness::ProgramResult late = runShow({"--bogus", "--help"});
    EXPECT_EQ(late.exitCode, 0);
    EXPECT_EQ(late.out, help.out);

    // SDL's complaint about its runtime folder (made by the empty value) is
    // not ours to pass on.
    harness::ProgramSpec bare{{FROSTHEM_BINARY}, FROSTHEM_SOURCE_DIR, {"XDG_RUNTIME_DIR="}};
    const harness::ProgramResult noDisplay = harness::runProgram(bare, 30);
    EXPECT_EQ(noDisplay.exitCode, 1);
    EXPECT_EQ(noDisplay.err,
              "frosthem: no display: SDL found no usable video device (is DISPLAY or WAYLAND_DISPLAY set?)\n");

    const harness::ProgramResult wrong = runShow({"--scale", "x"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "frosthem: bad --scale 'x': a whole number from 1 to 16, or auto; " + usageLine() + "\n");
}

}  // namespace
