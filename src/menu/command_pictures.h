#pragma once

#include "model/command_ids.h"

#include <QImage>
#include <QPixmap>
#include <array>
#include <optional>

class QPalette;

namespace kbs {

// The pictures beside the commands, numbered like the bitmaps they stand for.
enum class Picture {
    LoadFile = 160,
    SaveFile = 161,
    Send = 162,
    FactoryDefaults = 163,
    SelectPrinter = 164,
    Parameters = 165,
    MemorySwitch = 166,
    FunctionSelection = 167,
    Forms = 174,
};

// The part of a picture that the menu and the tool bar show.
inline constexpr int kPictureWidth = 16;
inline constexpr int kPictureHeight = 15;

struct CommandPicture {
    int commandId;
    Picture picture;
};

// The picture of each command, in the menu and on the tool bar alike. Exit, help contents
// and version information have none. The fifth memory switch and the second parameter
// page are numbered per program, so every program finds its own ids here.
inline constexpr std::array kCommandPictures = {
    CommandPicture{cmd::LoadFile, Picture::LoadFile},
    CommandPicture{cmd::SaveFile, Picture::SaveFile},
    CommandPicture{cmd::Send, Picture::Send},
    CommandPicture{cmd::FactoryDefaults, Picture::FactoryDefaults},
    CommandPicture{cmd::SelectPrinter, Picture::SelectPrinter},
    CommandPicture{cmd::ShowParam, Picture::Parameters},
    CommandPicture{cmd::ShowParam2, Picture::Parameters},
    CommandPicture{cmd::ShowForm, Picture::Forms},
    CommandPicture{cmd::ShowSelect, Picture::FunctionSelection},
    CommandPicture{cmd::ShowMsw1, Picture::MemorySwitch},
    CommandPicture{cmd::ShowMsw2, Picture::MemorySwitch},
    CommandPicture{cmd::ShowMsw3, Picture::MemorySwitch},
    CommandPicture{cmd::ShowMsw4, Picture::MemorySwitch},
    CommandPicture{cmd::ShowMsw5Kbs18r, Picture::MemorySwitch},
    CommandPicture{cmd::ShowMsw5Kbs62d, Picture::MemorySwitch},
    CommandPicture{cmd::ShowMsw5Kbs18t, Picture::MemorySwitch},
};

// The tab strip's pictures by a tab's image index: function selection, memory switch,
// parameters, forms.
inline constexpr std::array kTabPictures = {Picture::FunctionSelection, Picture::MemorySwitch,
                                            Picture::Parameters, Picture::Forms};

std::optional<Picture> pictureOfCommand(int commandId);

// A picture in its own 16 colours, 16 x 16 pixels, light gray transparent.
QImage pictureImage(Picture picture);

// A picture as the menu and the tool bar show it: 16 x 15 pixels, with black, dark gray
// and white replaced by the button text, shadow and highlight colours of the palette and
// light gray transparent, so it sits on any button or menu colour.
QPixmap commandPicture(Picture picture, const QPalette& colours);

} // namespace kbs
