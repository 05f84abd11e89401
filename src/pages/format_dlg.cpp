#include "pages/format_dlg.h"

#include "widgets/dialog_units.h"
#include "widgets/feed_row.h"
#include "widgets/number_box.h"
#include "widgets/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace kbs {

namespace {
constexpr int kMarginDlu = 7;
constexpr int kSpacingDlu = 4;
constexpr int kBoxWidthDlu = 30;
constexpr int kButtonWidthDlu = 50;
constexpr int kButtonHeightDlu = 14;
} // namespace

CFormatDlg::CFormatDlg(const PageContext& context, FormEditor& editor, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      context_(context), editor_(editor)
{
    setObjectName(QStringLiteral("CFormatDlg"));
    setFont(dialogFont());
    buildRows();
}

void CFormatDlg::buildRows()
{
    const DialogUnits units(font());
    const FormDialogTable& table = editor_.table();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.x(kMarginDlu), units.y(kMarginDlu), units.x(kMarginDlu),
                               units.y(kMarginDlu));
    layout->setSpacing(units.y(kSpacingDlu));
    // A fixed size: neither maximised nor resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QGridLayout* plain = nullptr;   // label, box and unit of the rows outside the feed group
    QVBoxLayout* feeds = nullptr;   // the feed rows inside their group
    std::vector<FeedRow*> feedRows; // their labels and sliders line up
    for (std::size_t index = 0; index < table.boxes.size(); ++index) {
        const FormBoxRow& boxRow = table.boxes[index];
        Row row;
        if (boxRow.kind == FormBoxKind::Feed) {
            plain = nullptr;
            if (feeds == nullptr) {
                auto* group = new QGroupBox(toQString(table.feedGroupLabel), this);
                group->setObjectName(QStringLiteral("feedGroup"));
                feeds = new QVBoxLayout(group);
                feeds->setContentsMargins(units.x(4), units.y(3), units.x(4), units.y(3));
                feeds->setSpacing(units.y(3));
                layout->addWidget(group);
            }
            row.feed = new FeedRow(boxRow, boxRow.label, FeedLabelPlace::Beside, this);
            row.box = row.feed->box();
            row.parts = {row.feed->label(), row.feed->slider(), row.box, row.feed->unit()};
            feeds->addWidget(row.feed);
            feedRows.push_back(row.feed);
            connect(row.feed, &FeedRow::textEdited, this, [this, index] { boxChanged(index); });
            connect(row.feed, &FeedRow::sliderMoved, this,
                    [this, index](int position) { sliderMoved(index, position); });
        } else {
            feeds = nullptr;
            if (plain == nullptr) {
                plain = new QGridLayout;
                plain->setHorizontalSpacing(units.x(3));
                plain->setVerticalSpacing(units.y(3));
                plain->setColumnStretch(3, 1);
                layout->addLayout(plain);
            }
            const QString stem = toQString(boxRow.field);
            auto* label = new QLabel(toQString(boxRow.label), this);
            label->setObjectName(stem + QStringLiteral("_label"));
            row.box = new NumberBox(this);
            row.box->setObjectName(stem);
            row.box->setRange(boxRow.range.min, boxRow.range.max);
            row.box->setFixedWidth(units.x(kBoxWidthDlu));
            label->setBuddy(row.box);
            auto* unit = new QLabel(toQString(boxRow.unit), this);
            unit->setObjectName(stem + QStringLiteral("_unit"));
            const int line = plain->rowCount();
            plain->addWidget(label, line, 0);
            plain->addWidget(row.box, line, 1);
            plain->addWidget(unit, line, 2);
            row.parts = {label, row.box, unit};
            connect(row.box, &NumberBox::textChanged, this, [this, index] { boxChanged(index); });
        }
        rows_.push_back(row);
    }

    // Feed rows share one label width and one slider width, so their boxes stand in a column.
    int labelWidth = 0;
    int sliderWidth = 0;
    for (const FeedRow* feed : feedRows) {
        labelWidth = std::max(labelWidth, feed->label()->sizeHint().width());
        sliderWidth = std::max(sliderWidth, feed->sliderWidth());
    }
    for (FeedRow* feed : feedRows) {
        feed->label()->setMinimumWidth(labelWidth);
        feed->setSliderWidth(sliderWidth);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton* button : {ok, cancel}) {
        button->setMinimumSize(units.size(kButtonWidthDlu, kButtonHeightDlu));
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CFormatDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CFormatDlg::reject);
}

int CFormatDlg::run()
{
    prepareOpening();
    return context_.dialogs.runDialog(*this);
}

// Every opening: a fresh pending flag, the title, the rows the form has, the fields shown.
void CFormatDlg::prepareOpening()
{
    editor_.open();
    setWindowTitle(toQString(editor_.title()));
    for (std::size_t index = 0; index < rows_.size(); ++index)
        for (QWidget* part : rows_[index].parts)
            part->setEnabled(editor_.boxEnabled(index));
    fill();
    if (!rows_.empty())
        rows_.front().box->focusAndSelect();
}

// Shows the editor's fields; a fill is not a change of the user's.
void CFormatDlg::fill()
{
    filling_ = true;
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        showText(index, editor_.text(index));
        if (FeedRow* feed = rows_[index].feed)
            feed->showPosition(editor_.sliderPosition(index));
    }
    filling_ = false;
}

void CFormatDlg::showText(std::size_t index, const std::string& text)
{
    const bool wasFilling = std::exchange(filling_, true);
    if (FeedRow* feed = rows_[index].feed)
        feed->showText(toQString(text));
    else
        rows_[index].box->setText(toQString(text));
    filling_ = wasFilling;
}

void CFormatDlg::boxChanged(std::size_t index)
{
    if (filling_)
        return;
    NumberBox* box = rows_[index].box;
    const std::string text = box->text().toStdString();
    const BoxCorrection correction = editor_.boxChanged(index, text, box->hasFocus());
    if (correction.text != text)
        showText(index, correction.text);
    if (correction.sliderPosition && rows_[index].feed)
        rows_[index].feed->showPosition(*correction.sliderPosition);
    if (correction.notice)
        showNotice(*correction.notice);
}

void CFormatDlg::sliderMoved(std::size_t index, int position)
{
    if (filling_)
        return;
    if (const auto text = editor_.sliderMoved(index, position, rows_[index].feed->slider()->hasFocus()))
        showText(index, *text);
}

void CFormatDlg::accept()
{
    const std::optional<FormOkNotice> notice = editor_.ok();
    if (!notice) {
        QDialog::accept();
        return;
    }
    fill();
    showNotice(notice->notice);
    if (notice->focus)
        rows_.at(notice->box).box->focusAndSelect();
}

void CFormatDlg::showNotice(const FormNotice& notice)
{
    const std::string_view caption =
        notice.captionIsProgramName ? context_.variant.deliverable : std::string_view(notice.caption);
    context_.messages.showMessage(notice.text, caption, ButtonSet::Ok, MessageIcon::Exclamation);
}

} // namespace kbs
