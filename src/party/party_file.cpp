#include "party/party_file.h"

#include <sys/stat.h>

#include <toml++/toml.h>

#include "party/letters.h"

namespace {

const char* const kKeys =
    "name, dates, place, caption, background, logo, logo_shadow, logo_text, music, invitation "
    "and pictures";

// The entries that hold one value, and how each is read.
enum class Kind { Text, Letters, File };
struct Entry {
    const char* name;
    Kind kind;
    std::optional<std::string> Party::*field;
};
const Entry kEntries[] = {
    {"name", Kind::Text, &Party::name},
    {"dates", Kind::Text, &Party::dates},
    {"place", Kind::Text, &Party::place},
    {"caption", Kind::Text, &Party::caption},
    {"background", Kind::Letters, &Party::background},
    {"logo", Kind::File, &Party::logo},
    {"logo_shadow", Kind::File, &Party::logoShadow},
    {"logo_text", Kind::Text, &Party::logoText},
    {"music", Kind::File, &Party::music},
    {"invitation", Kind::File, &Party::invitation},
};

struct Reader {
    const std::string& file;
    const std::string& folder;
    Problems& problems;

    void report(const toml::source_region& at, const std::string& message)
    {
        problems.push_back(
            {file, static_cast<int>(at.begin.line), static_cast<int>(at.begin.column), message});
    }

    std::optional<std::string> text(const toml::node& node, const std::string& key)
    {
        const auto* s = node.as_string();
        if (!s) {
            report(node.source(), key + " must be text in double quotes");
            return std::nullopt;
        }
        const std::string& value = s->get();
        if (value.empty()) {
            report(node.source(), key + " is empty: give it a value or leave the line out");
            return std::nullopt;
        }
        for (size_t pos = 0; pos < value.size();) {
            char32_t c;
            int length;
            decodeUtf8(value, pos, c, length);  // toml++ has made sure it is UTF-8
            if (c < U' ' || c == 0x7f) {
                report(node.source(), key + " holds the control character " + describeCharacter(c) +
                                          ": remove it");
                return std::nullopt;
            }
            pos += static_cast<size_t>(length);
        }
        return value;
    }

    // A file named relative to the folder, which must be there unless it
    // comes apart from the folder.
    std::optional<std::string> path(const toml::node& node, const std::string& key, bool apart = false)
    {
        std::optional<std::string> name = text(node, key);
        if (!name)
            return std::nullopt;
        const std::string full = (*name)[0] == '/' ? *name : folder + "/" + *name;
        struct stat st;
        if (!apart && (stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode))) {
            report(node.source(),
                   key + ": there is no file " + full + ": put it there or correct the name");
            return std::nullopt;
        }
        return full;
    }

    // The letters as font codes; one the fonts lack is named.
    std::optional<std::string> letters(const toml::node& node, const std::string& key)
    {
        std::optional<std::string> value = text(node, key);
        if (!value)
            return std::nullopt;
        std::string codes;
        for (size_t pos = 0; pos < value->size();) {
            char32_t c;
            int length;
            decodeUtf8(*value, pos, c, length);
            const int code = letterCode(c);
            if (code < 0) {
                report(node.source(), key + ": " + describeCharacter(c) +
                                          " has no glyph in the font: write it another way");
                return std::nullopt;
            }
            codes += static_cast<char>(code);
            pos += static_cast<size_t>(length);
        }
        return codes;
    }

    std::optional<std::pair<int, int>> focus(const toml::node& node)
    {
        const toml::array* a = node.as_array();
        const bool pair = a && a->size() == 2 && (*a)[0].is_integer() && (*a)[1].is_integer();
        const int64_t x = pair ? (*a)[0].as_integer()->get() : -1;
        const int64_t y = pair ? (*a)[1].as_integer()->get() : -1;
        if (!pair || x < 0 || y < 0 || x > INT32_MAX || y > INT32_MAX) {
            report(node.source(),
                   "focus must be [x, y], a pixel of the picture counted from its top "
                   "left corner, for example focus = [320, 200]");
            return std::nullopt;
        }
        return std::make_pair(static_cast<int>(x), static_cast<int>(y));
    }

    void picture(const toml::node& node, Party& party)
    {
        PartyPicture p;
        p.place = {static_cast<int>(node.source().begin.line),
                   static_cast<int>(node.source().begin.column)};
        if (node.is_string()) {
            if (std::optional<std::string> file = path(node, "pictures"))
                party.pictures.push_back({*file, std::nullopt, p.place});
            return;
        }
        const toml::table* t = node.as_table();
        if (!t) {
            report(node.source(),
                   "a picture is a file name in double quotes, or { file = \"...\", "
                   "focus = [x, y] }");
            return;
        }
        bool ok = true;
        for (auto&& [key, value] : *t) {
            if (key.str() == "file") {
                std::optional<std::string> file = path(value, "file");
                ok = ok && file;
                p.file = file.value_or("");
            } else if (key.str() == "focus") {
                p.focus = focus(value);
                ok = ok && p.focus;
            } else {
                report(key.source(), "unknown key '" + std::string(key.str()) +
                                         "' in a picture: a picture has file and focus");
                ok = false;
            }
        }
        if (!t->contains("file")) {
            report(node.source(), "a picture without a file: add file = \"...\"");
            ok = false;
        }
        if (ok)
            party.pictures.push_back(p);
    }

    void pictures(const toml::node& node, Party& party)
    {
        const toml::array* a = node.as_array();
        if (!a || a->empty()) {
            report(node.source(), "pictures must be a list of 1 to 12 pictures in [ ]");
            return;
        }
        for (size_t i = 0; i < a->size(); i++) {
            if (i == kPartyPictureSlots) {
                report((*a)[i].source(),
                       "the strip shows 12 pictures: this is the 13th, leave it out");
                return;
            }
            picture((*a)[i], party);
        }
    }

    void entry(const toml::key& key, const toml::node& node, Party& party)
    {
        const std::string k(key.str());
        if (k == "pictures")
            return pictures(node, party);
        for (const Entry& e : kEntries) {
            if (k != e.name)
                continue;
            party.places[k] = {static_cast<int>(node.source().begin.line),
                               static_cast<int>(node.source().begin.column)};
            const bool apart = e.field == &Party::music && party.musicFrom == PartyMusic::Apart;
            party.*e.field = e.kind == Kind::File      ? path(node, k, apart)
                             : e.kind == Kind::Letters ? letters(node, k)
                                                       : text(node, k);
            return;
        }
        report(key.source(), "unknown key '" + k + "': the keys are " + kKeys);
    }
};

size_t characters(const std::string& utf8)
{
    size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
    return n;
}

}  // namespace

bool readParty(const std::string& folder, Party& party, Problems& problems, PartyMusic musicFrom)
{
    const std::string file = folder + "/party.toml";
    const size_t first = problems.size();
    party = Party{};
    party.folder = folder;
    party.musicFrom = musicFrom;
    party.file = file;
    struct stat st;
    if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        problems.push_back({file, 0, 0,
                            "there is no party.toml in this folder: write one (an empty one keeps "
                            "everything as the show has it)"});
        return false;
    }
    toml::table table;
    try {
        table = toml::parse_file(file);
    } catch (const toml::parse_error& e) {
        const toml::source_position at = e.source().begin;
        problems.push_back({file, static_cast<int>(at.line), static_cast<int>(at.column),
                            std::string(e.description())});
        return false;
    }
    Reader r{file, folder, problems};
    for (auto&& [key, node] : table)
        r.entry(key, node, party);
    if (party.logo && party.logoText)
        r.report(
            table["logo_text"].node()->source(),
            "a logo is a picture (logo) or a line of text (logo_text), not both: leave one out");
    if (party.logoShadow && !party.logo)
        r.report(table["logo_shadow"].node()->source(),
                 "logo_shadow is the shadow of a logo picture: "
                 "give the picture as logo too");
    if (party.logoText && characters(*party.logoText) > kMaxLogoTextLength)
        r.report(table["logo_text"].node()->source(),
                 "logo_text is longer than " + std::to_string(kMaxLogoTextLength) +
                     " characters and would not fit the screen: shorten it");
    sortByPlace(problems, first);
    return problems.size() == first;
}

std::string stripFileFor(const std::string& picture)
{
    const size_t slash = picture.find_last_of('/');
    const size_t dot = picture.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? picture.substr(0, dot) : picture) + ".strip.png";
}

std::string backgroundColumns(const std::string& background)
{
    std::string columns;
    while (!background.empty() && columns.size() < kBackgroundColumns)
        columns += background;
    return columns.substr(0, kBackgroundColumns);
}
