#include "menu/command_pictures.h"

#include "menu/picture_art.h"

#include <QPalette>
#include <algorithm>

namespace kbs {

namespace {

QRgb artColour(char letter)
{
    for (const picture_art::ArtColour& colour : picture_art::kColours)
        if (colour.letter == letter)
            return qRgb(static_cast<int>(colour.rgb >> 16), static_cast<int>((colour.rgb >> 8) & 0xff),
                        static_cast<int>(colour.rgb & 0xff));
    return qRgba(0, 0, 0, 0);
}

// Paints each pixel with the colour the function gives its letter.
template <typename ColourOf> QImage paintArt(const picture_art::Rows& rows, int height, ColourOf colourOf)
{
    QImage image(picture_art::kArtSize, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < picture_art::kArtSize; ++x)
            image.setPixel(x, y, colourOf(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    return image;
}

} // namespace

std::optional<Picture> pictureOfCommand(int commandId)
{
    const auto* entry =
        std::find_if(kCommandPictures.begin(), kCommandPictures.end(),
                     [commandId](const CommandPicture& row) { return row.commandId == commandId; });
    if (entry == kCommandPictures.end())
        return std::nullopt;
    return entry->picture;
}

QImage pictureImage(Picture picture)
{
    const picture_art::Rows* rows = picture_art::rowsOf(picture);
    if (!rows)
        return {};
    return paintArt(*rows, picture_art::kArtSize, [](char letter) {
        return letter == picture_art::kLightGray ? qRgba(0, 0, 0, 0) : artColour(letter);
    });
}

QPixmap commandPicture(Picture picture, const QPalette& colours)
{
    const picture_art::Rows* rows = picture_art::rowsOf(picture);
    if (!rows)
        return {};
    const auto role = [&colours](QPalette::ColorRole r) { return colours.color(QPalette::Active, r).rgb(); };
    return QPixmap::fromImage(paintArt(*rows, kPictureHeight, [&](char letter) {
        switch (letter) {
        case picture_art::kBlack:
            return role(QPalette::ButtonText);
        case picture_art::kDarkGray:
            return role(QPalette::Dark);
        case picture_art::kLightGray:
            return qRgba(0, 0, 0, 0); // the button face, which is transparent
        case picture_art::kWhite:
            return role(QPalette::Light);
        default:
            return artColour(letter);
        }
    }));
}

} // namespace kbs
