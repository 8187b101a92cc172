#pragma once

// Everything a host or a clerk can observe of a control, as one text: every
// widget's properties, every grid cell, and the exchange strings. A refused
// input must leave it byte for byte as it was.
#include <zelt/OrderedItems.h>
#include <zelt/view/CheckBox.h>
#include <zelt/view/ComboBox.h>
#include <zelt/view/DatePicker.h>
#include <zelt/view/Grid.h>
#include <zelt/view/OptionButton.h>
#include <zelt/view/TextBox.h>

#include <string>

inline std::string controlSnapshot(zelt::OrderedItems& control)
{
    std::string out;
    const auto field = [&out](std::string_view piece) {
        out += piece;
        out += '\x1f';
    };
    for (const zelt::view::Widget* w : control.form().widgets()) {
        field(w->name());
        field(std::to_string(w->index()));
        field(w->caption());
        field(w->enabled() ? "E" : "e");
        field(w->visible() ? "V" : "v");
        switch (w->kind()) {
        case zelt::view::WidgetKind::TextBox: {
            const auto& box = static_cast<const zelt::view::TextBox&>(*w);
            field(box.text());
            field(box.locked() ? "L" : "l");
            break;
        }
        case zelt::view::WidgetKind::ComboBox: {
            const auto& combo = static_cast<const zelt::view::ComboBox&>(*w);
            field(combo.text());
            field(std::to_string(combo.listIndex()) + "/" + std::to_string(combo.listCount()));
            break;
        }
        case zelt::view::WidgetKind::CheckBox:
            field(std::to_string(static_cast<const zelt::view::CheckBox&>(*w).value()));
            break;
        case zelt::view::WidgetKind::OptionButton:
            field(static_cast<const zelt::view::OptionButton&>(*w).value() ? "1" : "0");
            break;
        case zelt::view::WidgetKind::DatePicker: {
            const auto& date = static_cast<const zelt::view::DatePicker&>(*w).value();
            field(date ? date->toIso() : "none");
            break;
        }
        case zelt::view::WidgetKind::Grid: {
            const auto& grid = static_cast<const zelt::view::Grid&>(*w);
            field(std::to_string(grid.rows()) + "x" + std::to_string(grid.cols()));
            for (int r = 0; r < grid.rows(); ++r)
                for (int c = 0; c < grid.cols(); ++c) field(grid.text(r, c));
            break;
        }
        default: break;
        }
        out += '\n';
    }
    try {
        field(control.readData());
    } catch (const zelt::Error& e) {
        field(std::string("readData refused: ") + e.what());
    }
    try {
        field(control.GetSalesTaxesNFees());
    } catch (const zelt::Error& e) {
        field(std::string("GetSalesTaxesNFees refused: ") + e.what());
    }
    field(control.IsDirty() ? "dirty" : "clean");
    field(control.CanUndo() ? "undo" : "-");
    field(control.CanRedo() ? "redo" : "-");
    field(control.GetFreightInfo());
    field(control.TaxDataXML());
    return out;
}
