#pragma once

#include "zelt/OrderedItems.h"
#include "zelt/StandIns.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zelt::testing {

/// One line as the host sends it: the 21 fields of a readData record.
struct LineSpec {
    std::string orderId = "500";
    std::string lineItem = "1";
    std::string status = "1";
    std::string carrier = "3";
    std::string directionOrder = "0";
    std::string directionIssue;
    std::string quantity = "3";
    std::string unit = "EA";
    std::string model = "M-1";
    std::string pattern;
    std::string color;
    std::string finish;
    std::string description = "Desk";
    std::string unitWeight = "2.5";
    std::string priceListDate = "2024-01-05";
    std::string unitPrice = "2.5";
    std::string currencyId = "1";
    std::string acknowledgement;
    std::string akwPrice = "0";
    std::string acknowledgementDate;
    std::string exempt = "0";

    std::vector<std::string> fields() const;
    /// The record followed by the record separator.
    std::string record() const;
};

std::string lines(const std::vector<LineSpec>& specs);

/// A line with some fields changed: lineWith({{&LineSpec::unit, "BX"}}, base).
using LineField = std::string LineSpec::*;
LineSpec lineWith(std::initializer_list<std::pair<LineField, const char*>> changes, LineSpec base = {});

/// Lookup tables: statuses Open(1) Back Ordered(2) Cancelled(3) Closed(4)
/// Line Cancelled(5) Received(6) Rewards(7), so Status 1, 6 and 7 are
/// priced; units Each/EA, Box/BX, Dozen/DZ; carriers with codes 1, 2, 3, 15, 22;
/// two Direction issues; the conversion rate given.
std::string lookupTables(const std::string& rate = "1.25");

/// A control with a fixed clock (2024-06-15) and scripted message boxes.
class OrderFixture : public ::testing::Test {
protected:
    OrderFixture();

    std::shared_ptr<view::ScriptedMessageBoxes> boxes = std::make_shared<view::ScriptedMessageBoxes>();
    std::shared_ptr<platform::FixedClock> clock = std::make_shared<platform::FixedClock>(text::Date{2024, 6, 15});
    std::unique_ptr<OrderedItems> control;

    view::Form& form() { return control->form(); }
    view::Grid& grid() { return control->form().grdOrdItems; }
    std::string cell(int row, int col) { return std::string(grid().text(row, col)); }
    std::vector<std::string> cells(int row, std::initializer_list<int> cols);
    /// Loads lookups and lines in the given mode.
    void load(Mode mode, const std::vector<LineSpec>& specs);
};

} // namespace zelt::testing
