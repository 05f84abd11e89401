#pragma once

#include <vector>

class QFont;
class QWidget;

namespace kbs {

struct ArrangedControl {
    QWidget* widget;
    bool fullWidth;
};

// The widest a control in one column of a page may be.
int columnWidth(const QFont& font);

// Lays a page out in two columns, in order, the first column taking the larger half.
// Full-width controls take a row of their own: above the columns when they come before
// every column control, else below them.
void arrangeInTwoColumns(QWidget& page, const std::vector<ArrangedControl>& controls);

} // namespace kbs
