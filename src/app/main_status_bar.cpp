#include "app/main_status_bar.h"

#include <QFontMetrics>
#include <QLabel>

namespace kbs {

namespace {
constexpr int kBorder = 2; // between the bar's edge and its parts

// The text as it fits `width`: whole when it can be. Otherwise the part's caption (up to its
// first space) stays and the value loses its start, so the end of a connection (host and
// port) stays readable.
QString fitted(const QFontMetrics& metrics, const QString& text, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString caption = text.left(text.indexOf(u' ') + 1);
    const int room = width - metrics.horizontalAdvance(caption);
    if (caption.isEmpty() || room < metrics.horizontalAdvance(QStringLiteral("…000")))
        return metrics.elidedText(text, Qt::ElideLeft, width);
    return caption + metrics.elidedText(text.mid(caption.size()), Qt::ElideLeft, room);
}
} // namespace

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
    for (int index = 0; index < 2; ++index)
        showFitted(index);
}

void MainStatusBar::showFitted(int index)
{
    QLabel* part = parts_[index];
    const int room = part->contentsRect().width() - 2 * part->indent();
    part->setText(fitted(part->fontMetrics(), texts_[index], room));
    part->setToolTip(texts_[index]);
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
    if (part != 0 && part != 1)
        return;
    texts_[part] = text;
    showFitted(part);
}

QLabel* MainStatusBar::part(int index) const
{
    return parts_[index];
}

} // namespace kbs
