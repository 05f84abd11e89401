#include "menu/picture_art.h"

#include <algorithm>

namespace kbs::picture_art {

namespace {

struct Art {
    Picture picture;
    Rows rows;
};

// The last row stays light gray: the menu and the tool bar show the top 15 rows.
constexpr std::array kArt = {
    Art{Picture::LoadFile,
        {"................", "...........g....", "..........ggg...", ".........ggggg..", "...........g....",
         ".kkkk......g....", "kYwYYk.....g....", "kwYYYYkkkkkkkk..", "kYYYYYYYYYYYYk..", "kYYkkkkkkkkkkkkk",
         "kYkYYYYYYYYYYYk.", "kkYYYYYYYYYYYk..", "kkYYYYYYYYYYk...", "kkkkkkkkkkkkk...", "................",
         "................"}},
    Art{Picture::SaveFile,
        {"................", ".kkkkkkkkkkkkkk.", ".knnwwwwwwwwnnk.", ".knnwddddddwnnk.", ".knnwwwwwwwwnnk.",
         ".knnwddddddwnnk.", ".knnwwwwwwwwnnk.", ".knnnnnnnnnnnnk.", ".knnnnnnnnnnnnk.", ".knnddddddddnnk.",
         ".knnddnnddddnnk.", ".knnddnnddddnnk.", ".knnddddddddnnk.", ".kkkkkkkkkkkkkk.", "................",
         "................"}},
    Art{Picture::Send,
        {"................", ".......gg.......", ".......gg.......", "....gggggggg....", ".....gggggg.....",
         "......gggg......", ".......gg.......", ".kkkkkkkkkkkkk..", "kwwwwwwwwwwwwwk.", "kw.........G.dk.",
         "kw...........dk.", "kdddddddddddddk.", ".kkkkkkkkkkkkk..", "................", "................",
         "................"}},
    Art{Picture::FactoryDefaults,
        {"................", ".kkk............", ".krk............", ".krk............", ".krk...k...k...k",
         ".krk..kk..kk..kk", ".krk.krk.krk.krk", ".krkkrrkkrrkkrrk", ".krrrrrrrrrrrrrk", ".krYYrrYYrrYYrrk",
         ".krYYrrYYrrYYrrk", ".krrrrrrrrrrrrrk", ".krrrrrkkkrrrrrk", ".kkkkkkkkkkkkkkk", "................",
         "................"}},
    Art{Picture::SelectPrinter,
        {"................", "...kkkkkkkkk....", "...kwwwwwwwk....", "...kwkkkkkwk....", ".kkkkkkkkkkkkk..",
         "kwwwwwwwwwwwwwk.", "kw.........G.dk.", "kw.......kkk.dk.", "kdddddddkCCCkdk.", ".kkkkkkkkCwCkk..",
         "........kCCCk...", ".........kkkk...", "............kk..", ".............kk.", "................",
         "................"}},
    Art{Picture::Parameters,
        {"................", "....kkk.........", "ddddkBkdddddddd.", "wwwwkBkwwwwwwww.", "....kkk.........",
         "................", "..........kkk...", "ddddddddddkBkdd.", "wwwwwwwwwwkBkww.", "..........kkk...",
         "................", ".......kkk......", "dddddddkBkddddd.", "wwwwwwwkBkwwwww.", ".......kkk......",
         "................"}},
    Art{Picture::MemorySwitch,
        {"................", "................", "................", "kkkkkkkkkkkkkkkk", "kRRRRRRRRRRRRRRk",
         "kRkkRwwRkkRwwRRk", "kRkkRwwRkkRwwRRk", "kRwwRkkRwwRkkRRk", "kRwwRkkRwwRkkRRk", "kRRRRRRRRRRRRRRk",
         "kkkkkkkkkkkkkkkk", "..d..d..d..d..d.", "..d..d..d..d..d.", "................", "................",
         "................"}},
    Art{Picture::FunctionSelection,
        {"................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwkkkwwwwwwwwk.", ".kwkgkwddddddwk.",
         ".kwkkkwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwkkkwwwwwwwwk.", ".kwkgkwddddddwk.", ".kwkkkwwwwwwwwk.",
         ".kwwwwwwwwwwwwk.", ".kwkkkwwwwwwwwk.", ".kwkwkwddddddwk.", ".kwkkkwwwwwwwwk.", ".kkkkkkkkkkkkkk.",
         "................"}},
    Art{Picture::Forms,
        {"................", "..kkkkkkkkkkkk..", "..kwwwwwwwwwwk..", "..kwRRRRRRwwwk..", "..kwwwwwwwwwwk..",
         "..kwnnnnnnnnwk..", "..kwwwwwwwwwwk..", "..kwnnnnnnnnwk..", "..kwwwwwwwwwwk..", "..kwnnnnnnnnwk..",
         "..kwwwwwwwwwwk..", "..kwnnnnnwwwwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..", "................",
         "................"}},
};

constexpr bool isArtColour(char letter)
{
    return std::any_of(kColours.begin(), kColours.end(),
                       [letter](const ArtColour& colour) { return colour.letter == letter; });
}

constexpr bool wellFormed(const Rows& rows)
{
    return std::all_of(rows.begin(), rows.end(), [](std::string_view row) {
        return row.size() == kArtSize && std::all_of(row.begin(), row.end(), isArtColour);
    });
}

// A picture that is not 16 x 16 pixels of the 16 colours does not compile.
static_assert(std::all_of(kArt.begin(), kArt.end(), [](const Art& art) { return wellFormed(art.rows); }));

} // namespace

const Rows* rowsOf(Picture picture)
{
    const auto* art = std::find_if(kArt.begin(), kArt.end(),
                                   [picture](const Art& entry) { return entry.picture == picture; });
    return art == kArt.end() ? nullptr : &art->rows;
}

} // namespace kbs::picture_art
