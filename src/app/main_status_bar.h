#pragma once

#include <QStatusBar>

class QLabel;

namespace kbs {

// The status bar with its two parts: the printer's name and its connection. The parts are
// placed here rather than by QStatusBar's layout, so that the first ends exactly where the
// split puts it.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent);

    // Fixes where the first part ends: three fifths of the bar's width as it is now. The
    // parts keep that split for the life of the window.
    void splitParts();

    // A text too long for its part is shortened with "…" where it starts; the tooltip has it whole.
    void setPartText(int part, const QString& text);
    QLabel* part(int index) const;

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeParts();
    void showFitted(int index);

    QLabel* parts_[2];
    QString texts_[2];
    int firstPartEnd_ = 0;
};

} // namespace kbs
