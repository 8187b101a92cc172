#include "FormLayout.h"

#include "bindings/ButtonBindings.h"
#include "bindings/ComboBoxBinding.h"
#include "bindings/DisplayBindings.h"
#include "bindings/TextBoxBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace zelt::qt {

std::unique_ptr<WidgetBinding> makeBinding(view::Widget& w)
{
    using K = view::WidgetKind;
    switch (w.kind()) {
    case K::TextBox: return std::make_unique<TextBoxBinding>(static_cast<view::TextBox&>(w), new QLineEdit);
    case K::ComboBox: return std::make_unique<ComboBoxBinding>(static_cast<view::ComboBox&>(w), new QComboBox);
    case K::CheckBox: return std::make_unique<CheckBoxBinding>(static_cast<view::CheckBox&>(w), new QCheckBox);
    case K::OptionButton:
        return std::make_unique<OptionButtonBinding>(static_cast<view::OptionButton&>(w), new QRadioButton);
    case K::Label: return std::make_unique<LabelBinding>(static_cast<view::Label&>(w), new QLabel);
    case K::Image: return std::make_unique<ImageBinding>(static_cast<view::Image&>(w), new QLabel);
    case K::CommandButton:
        return std::make_unique<CommandButtonBinding>(static_cast<view::CommandButton&>(w), new QPushButton);
    case K::Frame: return std::make_unique<FrameBinding>(static_cast<view::Frame&>(w), new QGroupBox);
    case K::DatePicker: return std::make_unique<DatePickerBinding>(static_cast<view::DatePicker&>(w), new QDateEdit);
    case K::MenuEntry:
    case K::Grid: break; // shown by the pop-up menu and the table view
    }
    return nullptr;
}

bool isInput(view::WidgetKind k)
{
    return k == view::WidgetKind::TextBox || k == view::WidgetKind::ComboBox || k == view::WidgetKind::DatePicker;
}

void compact(QGridLayout* grid)
{
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
}

void layRows(QGridLayout* grid, const std::vector<std::pair<view::Widget*, QWidget*>>& items, int blocks)
{
    struct Row {
        std::vector<std::pair<view::Widget*, QWidget*>> cells;
    };
    std::vector<Row> rows;
    for (const auto& item : items) {
        view::WidgetKind kind = item.first->kind();
        if (kind == view::WidgetKind::Label || rows.empty() || kind == view::WidgetKind::CommandButton) rows.emplace_back();
        rows.back().cells.push_back(item);
        if (kind == view::WidgetKind::CommandButton) rows.emplace_back();
    }
    std::erase_if(rows, [](const Row& r) { return r.cells.empty(); });
    const int perBlock = static_cast<int>((rows.size() + static_cast<std::size_t>(blocks) - 1) / static_cast<std::size_t>(blocks));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int gridRow = static_cast<int>(r) % std::max(perBlock, 1);
        const int base = static_cast<int>(r) / std::max(perBlock, 1) * 5;
        int col = base;
        view::WidgetKind previous = view::WidgetKind::Frame;
        int inputCol = -1;
        for (const auto& [model, widget] : rows[r].cells) {
            view::WidgetKind kind = model->kind();
            if (kind == view::WidgetKind::CommandButton) {
                grid->addWidget(widget, gridRow, base, 1, 4);
                continue;
            }
            if (kind == view::WidgetKind::Label) col = base;
            else if (kind == view::WidgetKind::Image) col = base + 1;
            else if (kind == view::WidgetKind::TextBox &&
                     (previous == view::WidgetKind::ComboBox || previous == view::WidgetKind::DatePicker) && inputCol >= 0)
                col = inputCol; // the read-only mirror shares the combo's cell
            else if (isInput(kind) && inputCol < 0) col = std::max(col, base + 2);
            else col = std::max(col, base + 2);
            grid->addWidget(widget, gridRow, col);
            if (isInput(kind) && inputCol < 0) inputCol = col;
            previous = kind;
            ++col;
        }
    }
    for (int b = 0; b < blocks; ++b) {
        grid->setColumnStretch(b * 5 + 2, 1);
        grid->setColumnMinimumWidth(b * 5 + 4, 12);
    }
}

} // namespace zelt::qt
