// The demo host's saved order: what a host keeps of an order opens again in
// View and Update Mode with the same lines, taxes, fees and deposit.
#include "SampleOrder.h"
#include "SavedOrder.h"

#include <zelt/text/Split.h>

#include <gtest/gtest.h>

using namespace zelt;

namespace {

std::vector<std::string> fields(const std::string& summary)
{
    std::vector<std::string> out;
    for (std::string_view f : text::split(summary, "$F$")) out.emplace_back(f);
    return out;
}

} // namespace

TEST(SavedOrder, OpensAgainWithItsLinesTaxesFeesAndDeposit)
{
    for (const text::Locale* locale : {&text::Locale::enUS(), &text::Locale::frCA()}) {
        SCOPED_TRACE(locale->name);
        OrderedItems control;
        control.setLocale(*locale);
        const demo::SampleOrder order = demo::SampleOrder::embedded().inLocale(*locale);
        demo::loadSampleOrder(control, order);
        // The clerk overrides the freight: a fee the saved record carries under its flag.
        control.form().chkAppFreight.userClick();
        control.form().txtFee[4].typeText(locale->decimalSeparator == "," ? "75,5" : "75.5");
        control.SetTaxNFees();
        const std::string lines = control.readData();
        const auto before = fields(control.GetSalesTaxesNFees());
        const auto saved = demo::SavedOrder::from(control, order.fees, order.salesTax, order.brackets, order.surcharges);
        // (LineCancel Mode restores only the overridden fees, as described: not compared.)
        for (Mode mode : {Mode::ViewMode, Mode::UpdateMode}) {
            SCOPED_TRACE(static_cast<int>(mode));
            saved.openIn(control, mode);
            EXPECT_EQ(control.readData(), lines);
            const auto after = fields(control.GetSalesTaxesNFees());
            for (std::size_t i : {2, 3, 4, 5, 6, 12, 14, 27}) EXPECT_EQ(after[i], before[i]) << "field " << i;
            EXPECT_EQ(control.form().txtFee[4].text(), locale->decimalSeparator == "," ? "75,50" : "75.50");
        }
    }
}
