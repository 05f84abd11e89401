#include "app/main_status_bar.h"

#include <QLabel>

namespace kbs {

namespace {
constexpr int kBorder = 2; // between the bar's edge and its parts
}

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    setSizeGripEnabled(false);
    for (int index = 0; index < 2; ++index) {
        parts_[index] = new QLabel(this);
        parts_[index]->setObjectName(QStringLiteral("statusPart%1").arg(index));
        parts_[index]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        parts_[index]->setTextFormat(Qt::PlainText);
        parts_[index]->setIndent(2);
    }
}

void MainStatusBar::splitParts()
{
    firstPartEnd_ = width() / 5 * 3;
    placeParts();
}

void MainStatusBar::placeParts()
{
    const int partHeight = height() - kBorder;
    parts_[0]->setGeometry(0, kBorder, firstPartEnd_, partHeight);
    parts_[1]->setGeometry(firstPartEnd_ + kBorder, kBorder, std::max(0, width() - firstPartEnd_ - kBorder),
                           partHeight);
}

void MainStatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    placeParts();
}

QSize MainStatusBar::sizeHint() const
{
    return {QStatusBar::sizeHint().width(), parts_[0]->sizeHint().height() + kBorder};
}

void MainStatusBar::setPartText(int part, const QString& text)
{
    if (part == 0 || part == 1)
        parts_[part]->setText(text);
}

QLabel* MainStatusBar::part(int index) const
{
    return parts_[index];
}

} // namespace kbs
