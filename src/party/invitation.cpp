#include "party/invitation.h"

#include <cstdlib>
#include <optional>

#include "party/letters.h"

namespace {

const char* const kRawHeader = "{raw}";

struct Cell {
    char code;
    SourcePlace place;
};

// One text line of the readable format, its marks taken out.
struct TextLine {
    std::vector<Cell> cells;
    bool centred = false;
    bool blank = false;
    std::optional<int> pause;
    SourcePlace pausePlace;
    SourcePlace end;  // just past the line's last character
};

struct Reader {
    const std::string& file;
    Problems& problems;

    void report(SourcePlace at, const std::string& message)
    {
        problems.push_back({file, at.line, at.column, message});
    }
};

// One character of a line, decoded, with its column.
struct Char {
    char32_t value;
    SourcePlace place;
};

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    if (lines.back().empty())
        lines.pop_back();  // the file's final line end
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();  // Windows line ends
    return lines;
}

// Decodes a line, reporting bytes that are not UTF-8 and control characters
// (which are never text) and leaving them out.
std::vector<Char> decodeLine(Reader& r, const std::string& line, int number)
{
    std::vector<Char> out;
    int column = 1;
    for (size_t pos = 0; pos < line.size(); column++) {
        char32_t c;
        int length;
        const SourcePlace at{number, column};
        if (!decodeUtf8(line, pos, c, length))
            r.report(at, "this is not UTF-8 text: save the file as UTF-8");
        else if (c == U'\t')
            r.report(at, "a tab: use spaces, each takes one cell");
        else if (c < U' ' || c == 0x7f || (c >= 0x80 && c < 0xa0))
            r.report(at, "control character " + describeCharacter(c) + ": remove it");
        else
            out.push_back({c, at});
        pos += static_cast<size_t>(length);
    }
    return out;
}

// The character as a font code; an unknown one is reported and skipped.
void addCell(Reader& r, std::vector<Cell>& cells, const Char& ch)
{
    const int code = letterCode(ch.value);
    if (code < 0) {
        r.report(ch.place, describeCharacter(ch.value) +
                               " has no glyph in the font: write it another way (the font holds "
                               "ASCII and the common accented Latin letters)");
        return;
    }
    cells.push_back({static_cast<char>(code), ch.place});
}

bool parsePause(const std::string& mark, int& n)
{
    const std::string word = "pause ";
    // Up to nine digits: whatever is written, it fits an int to be refused.
    if (mark.compare(0, word.size(), word) != 0 || mark.size() == word.size() ||
        mark.size() > word.size() + 9)
        return false;
    n = 0;
    for (size_t i = word.size(); i < mark.size(); i++) {
        if (mark[i] < '0' || mark[i] > '9')
            return false;
        n = n * 10 + (mark[i] - '0');
    }
    return true;
}

void trimTrailingSpaces(std::vector<Cell>& cells)
{
    while (!cells.empty() && cells.back().code == ' ')
        cells.pop_back();
}

TextLine parseLine(Reader& r, const std::vector<Char>& chars, SourcePlace end)
{
    TextLine line;
    line.end = end;
    for (size_t i = 0; i < chars.size(); i++) {
        const Char& ch = chars[i];
        if (ch.value == U'#' || ch.value == U'<' || ch.value == U'@') {
            r.report(ch.place, "'" + encodeUtf8(ch.value) +
                                   "' is a mark of the raw format and is never shown: start a "
                                   "new line or page instead, or write the file in the raw format");
            continue;
        }
        if (ch.value != U'{') {
            addCell(r, line.cells, ch);
            continue;
        }
        if (i + 1 < chars.size() && chars[i + 1].value == U'{') {
            addCell(r, line.cells, ch);
            i++;
            continue;
        }
        std::string mark;
        size_t close = i + 1;
        while (close < chars.size() && chars[close].value != U'}')
            mark += encodeUtf8(chars[close++].value);
        if (close == chars.size()) {
            r.report(ch.place,
                     "'{' opens a mark that is not closed: close it with '}', or write "
                     "'{{' for the letter '{'");
            return line;
        }
        const bool atStart = line.cells.empty() && !line.centred && !line.blank;
        bool restBlank = true;
        for (size_t k = close + 1; k < chars.size(); k++)
            restBlank = restBlank && chars[k].value == U' ';
        int n;
        if (mark == "centre" || mark == "center") {
            if (!atStart)
                r.report(ch.place,
                         "{" + mark + "} belongs at the start of the line: move it there");
            line.centred = true;
        } else if (mark == "blank") {
            if (!atStart)
                r.report(ch.place,
                         "{blank} stands for a whole empty line: put it on a line of its own");
            line.blank = true;
        } else if (parsePause(mark, n)) {
            if (!restBlank)
                r.report(ch.place, "{" + mark + "} belongs at the end of the line: move it there");
            else if (n > kMaxPause)
                r.report(ch.place, "a pause of " + std::to_string(n) +
                                       " positions is over a minute: at most " +
                                       std::to_string(kMaxPause));
            else
                line.pause = n;
            line.pausePlace = ch.place;
        } else {
            r.report(ch.place, "unknown mark {" + mark +
                                   "}: the marks are {pause N}, {centre} and "
                                   "{blank}; write '{{' for the letter '{'");
        }
        i = close;
    }
    trimTrailingSpaces(line.cells);
    if (line.blank && !line.cells.empty()) {
        auto text = line.cells.begin();
        while (text->code == ' ')
            ++text;  // the line's trailing spaces are gone, so text is found
        r.report(text->place, "text after {blank}: put it on the next line");
    }
    return line;
}

// Leading spaces that put the line's text in the middle of the bubble.
void centre(TextLine& line, SourcePlace markPlace)
{
    size_t first = 0;
    while (first < line.cells.size() && line.cells[first].code == ' ')
        first++;
    line.cells.erase(line.cells.begin(), line.cells.begin() + static_cast<long>(first));
    const int room = kBubbleCells - static_cast<int>(line.cells.size());
    if (!line.cells.empty() && room > 1)
        line.cells.insert(line.cells.begin(), static_cast<size_t>(room / 2), Cell{' ', markPlace});
}

struct Output {
    CompiledInvitation& text;
    void put(char code, SourcePlace at)
    {
        text.raw += code;
        text.places.push_back(at);
    }
    void put(char code, int count, SourcePlace at)
    {
        for (int i = 0; i < count; i++)
            put(code, at);
    }
};

void emitPage(Reader& r, Output& out, const std::vector<TextLine>& page)
{
    const size_t pageStart = out.text.raw.size();
    size_t lastVisible = pageStart;  // one past the page's last visible position
    for (size_t i = 0; i < page.size(); i++) {
        const TextLine& line = page[i];
        for (const Cell& c : line.cells)
            out.put(c.code, c.place);
        if (!line.cells.empty())
            lastVisible = out.text.raw.size();
        if (i + 1 < page.size()) {
            const int gap = line.pause.value_or(line.cells.empty() ? 0 : kLineEndGap);
            out.put(' ', gap, line.end);
            out.put(kLineMark, line.end);
            continue;
        }
        // The page's last position is never shown, so a page ends with at
        // least one space.
        int hold = kHoldBase + static_cast<int>(lastVisible - pageStart) / kHoldPositionsPerStep;
        if (line.pause && *line.pause == 0)
            r.report(line.pausePlace,
                     "a page ends with a pause of at least 1 position (its last "
                     "position is never shown): write {pause 1} or more");
        else if (line.pause)
            hold = *line.pause;
        out.put(' ', hold, line.end);
    }
}

CompiledInvitation compileReadable(Reader& r, const std::vector<std::string>& lines)
{
    std::vector<std::vector<TextLine>> pages(1);
    for (size_t n = 0; n < lines.size(); n++) {
        const int number = static_cast<int>(n) + 1;
        if (!lines[n].empty() && lines[n][0] == '#')
            continue;  // a comment
        const std::vector<Char> chars = decodeLine(r, lines[n], number);
        bool empty = true;
        for (const Char& c : chars)
            empty = empty && c.value == U' ';
        if (empty) {
            if (!pages.back().empty())
                pages.emplace_back();
            continue;
        }
        const SourcePlace end{number, chars.back().place.column + 1};
        TextLine line = parseLine(r, chars, end);
        if (line.centred)
            centre(line, chars.front().place);
        pages.back().push_back(line);
    }
    if (pages.back().empty())
        pages.pop_back();

    CompiledInvitation text;
    Output out{text};
    if (pages.empty()) {
        r.report({1, 1}, "no pages: write the invitation as paragraphs, one per page");
        return text;
    }
    out.put(' ', kLeadInSpaces, {1, 1});
    for (const std::vector<TextLine>& page : pages) {
        out.put(kPageMark, page.front().end);
        emitPage(r, out, page);
    }
    out.put(kEndMark, pages.back().back().end);
    return text;
}

CompiledInvitation compileRaw(Reader& r, const std::vector<std::string>& lines)
{
    CompiledInvitation text;
    Output out{text};
    for (size_t n = 1; n < lines.size(); n++) {
        std::vector<Cell> cells;
        for (const Char& ch : decodeLine(r, lines[n], static_cast<int>(n) + 1))
            addCell(r, cells, ch);
        for (const Cell& c : cells)
            out.put(c.code, c.place);
    }
    return text;
}

}  // namespace

CompiledInvitation compileInvitation(const std::string& text, const std::string& file,
                                     Problems& problems)
{
    Reader r{file, problems};
    const size_t first = problems.size();
    // Some editors start a UTF-8 file with a byte-order mark; it is no text.
    const std::string bom = "\xef\xbb\xbf";
    const bool marked = text.compare(0, bom.size(), bom) == 0;
    const std::vector<std::string> lines = splitLines(marked ? text.substr(bom.size()) : text);
    CompiledInvitation compiled =
        !lines.empty() && lines[0] == kRawHeader ? compileRaw(r, lines) : compileReadable(r, lines);
    sortByPlace(problems, first);
    return compiled;
}
