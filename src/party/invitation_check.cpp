#include "party/invitation_check.h"

#include "party/letters.h"

namespace {

// Two advances are at least 21 ms apart (a pause must be exceeded) and the
// longest pause drawn is 89 ms, so at most 90 ms with short frames.
constexpr double kFastestAdvanceSeconds = 0.021;
constexpr double kSlowestAdvanceSeconds = 0.090;
constexpr int kMinPagePositions = 2;

struct Checker {
    const CompiledInvitation& text;
    const std::string& file;
    Problems& problems;

    void report(size_t at, const std::string& message)
    {
        SourcePlace place = at < text.places.size() ? text.places[at] : SourcePlace{1, 1};
        problems.push_back({file, place.line, place.column, message});
    }
};

std::string named(char code)
{
    const std::string s = letterUtf8(static_cast<unsigned char>(code));
    return s.empty() ? "code " + std::to_string(static_cast<unsigned char>(code)) : "'" + s + "'";
}

void checkEnd(Checker& c)
{
    const std::string& raw = c.text.raw;
    for (size_t i = 0; i + 1 < raw.size(); i++)
        if (raw[i] == kEndMark)
            c.report(i,
                     "'@' ends the text here and what follows is never typed: keep one '@', "
                     "at the very end");
    if (raw.empty() || raw.back() != kEndMark)
        c.report(raw.empty() ? 0 : raw.size() - 1,
                 "the text does not end with '@': end it with '@'");
}

// `begin`..`end`: a page's positions, without its closing '#' or '@'.
void checkPage(Checker& c, size_t begin, size_t end, bool last, int glyphs)
{
    const std::string& raw = c.text.raw;
    if (end - begin < kMinPagePositions) {
        // A page's first position is never looked at for a mark, so an
        // empty page runs on into the next one.
        c.report(begin < raw.size() ? begin : raw.size() - 1,
                 "a page of fewer than 2 positions: write at least one space before the '" +
                     std::string(1, end < raw.size() ? raw[end] : kEndMark) + "'");
        return;
    }
    if (!last && raw[end - 1] != ' ')
        c.report(end - 1, named(raw[end - 1]) +
                              " is the page's last position, which is never shown: end the page "
                              "with a space");
    int line = 1;
    size_t lineStart = begin;
    for (size_t i = begin; i <= end; i++) {
        if (i < end && raw[i] != kLineMark)
            continue;
        // Cells up to the line's last visible one; pauses may run past the
        // bubble, unseen.
        size_t visibleEnd = i;
        while (visibleEnd > lineStart && raw[visibleEnd - 1] == ' ')
            visibleEnd--;
        const int width = static_cast<int>(visibleEnd - lineStart);
        if (width > kBubbleCells)
            c.report(lineStart + kBubbleCells,
                     "the line is " + std::to_string(width) + " cells wide and at most " +
                         std::to_string(kBubbleCells) + " fit in the bubble: break it earlier");
        if (i < end && ++line == kBubbleLines + 1)
            c.report(i, "a page holds at most " + std::to_string(kBubbleLines) +
                            " lines and this '<' starts a fifth: move the rest to a new page");
        lineStart = i + 1;
    }
    for (size_t i = begin; i < end; i++) {
        const int code = static_cast<unsigned char>(raw[i]);
        if (code == ' ' || code == kLineMark)
            continue;
        if (code < '!' || code >= '!' + glyphs)
            c.report(i, named(raw[i]) + " has no glyph in the font: write it another way");
    }
}

}  // namespace

void checkInvitation(const CompiledInvitation& text, const std::string& file, int glyphs,
                     Problems& problems)
{
    const size_t first = problems.size();
    Checker c{text, file, problems};
    if (text.raw.empty()) {
        problems.push_back({file, 0, 0, "the invitation is empty: write at least one page"});
        return;
    }
    checkEnd(c);
    const std::string& raw = text.raw;
    size_t begin = 0;
    for (size_t i = 0; i <= raw.size(); i++) {
        const bool endOfText = i == raw.size() || raw[i] == kEndMark;
        if (!endOfText && raw[i] != kPageMark)
            continue;
        checkPage(c, begin, i, endOfText, glyphs);
        if (endOfText)
            break;
        begin = i + 1;
    }
    sortByPlace(problems, first);
}

InvitationSummary summarize(const std::string& raw)
{
    InvitationSummary s;
    int pageLength = 0;
    for (char ch : raw) {
        if (ch == kPageMark || ch == kEndMark) {
            // The typing stops on a page's last position; the next page's
            // first comes with the turn.
            s.advances += pageLength - 1;
            pageLength = 0;
            if (ch == kEndMark)
                break;
            s.pages++;
            s.lines++;
            continue;
        }
        pageLength++;
        if (ch == kLineMark && s.pages > 0)
            s.lines++;
    }
    s.fastestSeconds = s.advances * kFastestAdvanceSeconds;
    s.slowestSeconds = s.advances * kSlowestAdvanceSeconds;
    return s;
}
