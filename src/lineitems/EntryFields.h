#pragma once

#include "core/Field.h"
#include "core/LineColumns.h"
#include "zelt/view/Form.h"

#include <array>

namespace zelt {

/// How a field's text follows the editing state of the entry area.
enum class EntryLock : std::uint8_t {
    Line,            // editable while a line is open
    Acknowledgement, // editable while a line is open and the order status flag is set
};

/// What a field's text becomes when the clerk leaves it.
enum class EntryFormat : std::uint8_t { None, TwoDecimals, ThreeDecimals };

/// How a grid click copies a line's cell into the field.
enum class EntryCopy : std::uint8_t {
    Text,           // the cell as it stands
    StatusDisplay,  // the display text of the status whose code is the cell
    CarrierDisplay, // the display text of the carrier whose code is the cell
    ConvertedPrice, // the price converted back to the price currency, "0.00"
};

/// One line-entry field: its `txtField` index, the grid column it writes,
/// the combo or date picker it mirrors, how it locks, how it is formatted on
/// leaving and how a selected line fills it, and whether a line cancel
/// freezes it. The table lists the fields in their on-screen order, which is
/// the order Tab and Enter move through.
struct EntryFieldFact {
    int field;
    int column;
    int combo; // cboFld index, 0 for none
    view::DatePicker view::Form::*picker;
    EntryLock lock;
    EntryFormat format;
    EntryCopy copy;
    bool frozenByLineCancel;
};

inline constexpr std::array<EntryFieldFact, 15> kEntryFields = {{
    {Field::Status, Col::Status, Combo::Status, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::StatusDisplay, false},
    {Field::Description, Col::Description, 0, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::Text, true},
    {Field::Model, Col::ModelNo, 0, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::Text, true},
    {Field::Quantity, Col::Quantity, 0, nullptr, EntryLock::Line, EntryFormat::TwoDecimals, EntryCopy::Text, true},
    {Field::UnitPrice, Col::UnitPrice, 0, nullptr, EntryLock::Line, EntryFormat::TwoDecimals, EntryCopy::ConvertedPrice, true},
    {Field::Unit, Col::UnitOfMeasure, Combo::Unit, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::Text, false},
    {Field::PriceListDate, Col::PriceListDate, 0, &view::Form::DTPckrPriceListDate, EntryLock::Line, EntryFormat::None, EntryCopy::Text, false},
    {Field::UnitWeight, Col::UnitWeight, 0, nullptr, EntryLock::Line, EntryFormat::ThreeDecimals, EntryCopy::Text, true},
    {Field::Carrier, Col::CarrierID, Combo::Carrier, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::CarrierDisplay, false},
    {Field::Pattern, Col::Pattern, 0, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::Text, true},
    {Field::Color, Col::Color, 0, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::Text, true},
    {Field::Finish, Col::Finish, 0, nullptr, EntryLock::Line, EntryFormat::None, EntryCopy::Text, true},
    {Field::AckPrice, Col::AkwPrice, 0, nullptr, EntryLock::Acknowledgement, EntryFormat::TwoDecimals, EntryCopy::ConvertedPrice, true},
    {Field::AckNumber, Col::Acknowledgement, 0, nullptr, EntryLock::Acknowledgement, EntryFormat::None, EntryCopy::Text, true},
    {Field::AckDate, Col::AcknowledgementDate, 0, &view::Form::DTPckrAklwdgmntDate, EntryLock::Acknowledgement, EntryFormat::None, EntryCopy::Text, false},
}};

/// The fact of a `txtField` index 0 to 14.
inline const EntryFieldFact& entryField(int field) { return kEntryFields[static_cast<std::size_t>(field)]; }

} // namespace zelt
