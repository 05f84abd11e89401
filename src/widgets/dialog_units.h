#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace kbs {

// The dialog font: "ＭＳ Ｐゴシック" where installed, else IPAPGothic, else Noto Sans CJK JP, 9 pt.
QFont dialogFont();

// Converts dialog units to pixels the way dialog templates are laid out: the horizontal
// base is the average width of the 52 letters A-Z a-z, the vertical base the font height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int dlu) const;
    int y(int dlu) const;
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    QRect rect(int left, int top, int width, int height) const
    {
        return {x(left), y(top), x(width), y(height)};
    }

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

} // namespace kbs
