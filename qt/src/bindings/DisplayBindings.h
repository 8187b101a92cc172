#pragma once

#include "bindings/WidgetBinding.h"

#include <zelt/view/DatePicker.h>
#include <zelt/view/Frame.h>
#include <zelt/view/Image.h>
#include <zelt/view/Label.h>

class QDateEdit;
class QGroupBox;
class QLabel;

namespace zelt::qt {

/// A label as a QLabel: caption, colour, bold, underline, and mouse events
/// for the carrier link.
class LabelBinding : public WidgetBinding {
public:
    LabelBinding(view::Label& model, QLabel* label);

protected:
    void syncKind() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forward(QEvent* event);
    view::Label& model_;
    QLabel* label_;
};

/// A bullet image as a QLabel with a small red mark.
class ImageBinding : public WidgetBinding {
public:
    ImageBinding(view::Image& model, QLabel* label);

protected:
    void syncKind() override {}
};

/// A frame as a QGroupBox with its caption.
class FrameBinding : public WidgetBinding {
public:
    FrameBinding(view::Frame& model, QGroupBox* box);

protected:
    void syncKind() override;

private:
    view::Frame& model_;
    QGroupBox* box_;
};

/// A date picker as a QDateEdit with a calendar; "no date" shows blank.
class DatePickerBinding : public WidgetBinding {
public:
    DatePickerBinding(view::DatePicker& model, QDateEdit* edit);

protected:
    void syncKind() override;

private:
    view::DatePicker& model_;
    QDateEdit* edit_;
};

} // namespace zelt::qt
