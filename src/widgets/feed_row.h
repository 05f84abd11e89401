#pragma once

#include "model/form_dialog_table.h"

#include <QWidget>

#include <string_view>

class QLabel;
class QSlider;

namespace kbs {

class NumberBox;
class SliderScale;
class TickSlider;

// Where a feed row's label stands: in front of the slider, or on a line of its own above it
// where the row must be narrow.
enum class FeedLabelPlace { Beside, Above };

// One paper path's feed position: its label, a slider with a tick at every stop, a number box
// with its unit and the scale labels under the slider. It shows what its owner gives it and
// reports only the user's changes; the rules between box and slider are the owner's.
class FeedRow : public QWidget {
    Q_OBJECT
public:
    // Object names start with the row's field: "feedPostcard", "feedPostcard_slider", ...
    FeedRow(const FormBoxRow& row, std::string_view label, FeedLabelPlace place = FeedLabelPlace::Beside,
            QWidget* parent = nullptr);

    QLabel* label() const { return label_; }
    QSlider* slider() const;
    NumberBox* box() const { return box_; }
    QLabel* unit() const { return unit_; }
    // The scale labels, line by line in table order.
    QList<QLabel*> scaleLabels() const;

    // Shown without being reported as a change.
    void showText(const QString& text);
    void showPosition(int position);

    // Owners with several rows give every slider the width of the widest.
    int sliderWidth() const;
    void setSliderWidth(int width);

signals:
    // The box's text changed other than through showText.
    void textEdited();
    // The slider moved other than through showPosition.
    void sliderMoved(int position);

private:
    QLabel* label_;
    TickSlider* slider_;
    NumberBox* box_;
    QLabel* unit_;
    SliderScale* scale_;
    bool quiet_ = false;
};

} // namespace kbs
