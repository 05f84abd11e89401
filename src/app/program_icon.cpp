#include "app/artwork.h"
#include "app/baked_program_icon.h"

#include <QImage>
#include <QPixmap>

namespace kbs {

QIcon programIcon()
{
    QIcon icon;
    for (const BakedIconImage& baked : kBakedProgramIcon) {
        const QImage image(reinterpret_cast<const uchar*>(baked.pixels), baked.size, baked.size,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace kbs
