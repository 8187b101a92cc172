#include "support/OrderFixture.h"

#include "control/ControlAccess.h"

#include "services/OrderEventRules.h"
#include "support/Throws.h"
#include "zelt/InputError.h"

using namespace zelt;
using zelt::testing::LineSpec;
using zelt::testing::lineWith;
using zelt::testing::lookupTables;

using Lookups = zelt::testing::OrderFixture;

TEST_F(Lookups, FillsTheListsDerivesThePositionsAndFindsLinesPendingAcknowledgement)
{
    control->GetComboContent(lookupTables("1.25"));
    LineSpec line;
    line.status = "6";
    line.unit = "DZ";
    control->setViewMode(Mode::UpdateMode);
    control->setReadData(line.record());
    EXPECT_EQ(cell(1, 7), "Dozen");
    EXPECT_EQ(cell(1, 20), "7.50") << "Status 6 is priced: code 6 sits at position 5";
    EXPECT_EQ(form().cboFld[4].listCount(), 2);
    EXPECT_EQ(form().cboFld[4].itemText(1), "Fall 2024");
    EXPECT_EQ(form().txtCurrConversionRate.text(), "1") << "not a Canadian order";
    // The last entry of a repeated code wins.
    control->GetComboContent("A$F$1$R$B$F$6$R$C$F$6$R$D$F$7$R$$T$$T$$T$$T$1$R$$T$");
    line.unit = "EA";
    line.status = "3"; // position 2 + 1: the later code-6 entry
    control->setReadData(line.record());
    EXPECT_EQ(cell(1, 20), "7.50");
    line.status = "2"; // the earlier code-6 entry no longer counts
    control->setReadData(line.record());
    EXPECT_EQ(cell(1, 20), "0.00");
    // The empty Direction table there disables the Direction box and keeps the issues.
    EXPECT_FALSE(form().chkDirection.enabled());
    EXPECT_EQ(form().cboFld[4].listCount(), 2);
    // A pending acknowledgement is an open or received line without a number.
    control->GetComboContent(lookupTables());
    EXPECT_FALSE(control->IsPendingAcknowledgement());
    const LineSpec acknowledged = lineWith({{&LineSpec::acknowledgement, "ACK-1"}});
    control->setReadData(zelt::testing::lines({acknowledged, lineWith({{&LineSpec::status, "7"}})}));
    EXPECT_FALSE(control->IsPendingAcknowledgement()) << "a rewards line needs no number";
    control->setReadData(zelt::testing::lines({acknowledged, lineWith({{&LineSpec::status, "6"}})}));
    EXPECT_TRUE(control->IsPendingAcknowledgement());
}

TEST_F(Lookups, MalformedTablesRaiseAClearErrorAndSeparatorsChangeOnlyWhenTheyDiffer)
{
    control->GetComboContent(lookupTables("1.25"));
    struct Case { std::string text; const char* reasonPart; } cases[] = {
        {"Open$F$1$R$$T$Each$F$EA$R$$T$", "2 tables"},
        {"Open$F$1$R$$T$$T$$T$$T$one$R$$T$", "\"one\" is not a number"},
        {"Open$F$1$R$$T$Each$R$$T$$T$$T$1$R$$T$", "table 1 (units)"},
        {"", "0 tables"},
        // A unit or carrier code (the last field of its record) that would end an exported cell early.
        {"Open$F$1$R$$T$Each$F$$F$R$$T$$T$$T$1$R$$T$", "table 1 (units): \"$F\" ends with the start of a separator"},
        {"Open$F$1$R$$T$$T$UPS$F$9$F$R$$T$$T$1$R$$T$", "table 2 (carriers): \"9$F\" ends with the start"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(zelt::testing::throwsWith<InputError>([&] { control->GetComboContent(c.text); }, c.reasonPart));
    EXPECT_THROW(control->GetComboContent("Open|1#", "|", "#"), InputError);
    EXPECT_EQ(ControlAccess::state(*control).fieldSeparator, "$F$") << "a refused call changes no separator";
    control->setReadData(lineWith({{&LineSpec::unit, "BX"}}).record());
    EXPECT_EQ(cell(1, 7), "Box");
    // Separators change only when they differ from the default.
    // A default written with blanks around it changes nothing.
    control->GetComboContent(lookupTables(), " $F$ ", "$R$ ", "");
    EXPECT_EQ(ControlAccess::state(*control).fieldSeparator, "$F$");
    // Other separators stay in force for later exchanges.
    control->GetComboContent("Open|1#~Each|EA#~~~1#~", "|", "#", "~");
    EXPECT_EQ(ControlAccess::state(*control).fieldSeparator, "|");
    EXPECT_EQ(ControlAccess::state(*control).recordSeparator, "#");
    control->setViewMode(Mode::UpdateMode);
    control->setReadData("1|1|1|3|0||2|EA|M|||||1|2024-01-05|4|1||0||0#");
    EXPECT_EQ(cell(1, 7), "Each");
    EXPECT_EQ(cell(1, 20), "8.00");
}

TEST(OrderEvents, TheEventTableDecidesBothRules)
{
    struct Case { const char* event; bool taxes; bool exempt; } cases[] = {
        {"PurchaseOrder", true, true},         {"PurchaseOrderCancelled", true, true},
        {"PurchaseOrderCenterValidation", true, true}, {"PurchaseOrderClosed", true, false},
        {"PurchaseOrderFundsSweep", false, false},     {"PurchaseOrderSuspened", true, false},
        {"PurchaseOrderView", true, false},            {"purchaseorder", false, false},
        {"", false, false},                            {"PurchaseOrderSuspended", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::pair(OrderEventRules::OrderEventAllowsTaxes(c.event), OrderEventRules::OrderEventAllowsExemptTaxes(c.event)),
                  std::pair(c.taxes, c.exempt)) << c.event;
}

TEST_F(Lookups, TheConversionRateIsAPlainPositiveNumberInTheControlsLocale)
{
    control->CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::CANADA));
    control->GetComboContent(lookupTables("1.25"));
    struct Case { const char* locale; const char* rate; bool taken; } cases[] = {
        {"en-US", "0", false},    {"en-US", "-1.25", false}, {"en-US", "1e308", false}, {"en-US", "1,25", false},
        {"en-US", "1.25abc", false}, {"en-US", "1e2", false}, {"en-US", "$1.25", false}, {"en-US", "", false},
        {"en-US", "2", true},     {"en-US", " 1.5 ", true},  {"fr-CA", "1.25", false},  {"fr-CA", "1,25", true},
        {"en-US", "922337203685478", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.rate);
        const bool french = std::string_view(c.locale) == "fr-CA";
        control->setLocale(french ? text::Locale::frCA() : text::Locale::enUS());
        control->setReadData(""); // Add Mode writes the boxes in the locale
        const std::string before = form().txtCurrConversionRate.text();
        if (!c.taken) {
            EXPECT_THROW(control->GetComboContent(lookupTables(c.rate)), InputError);
            EXPECT_EQ(form().txtCurrConversionRate.text(), before);
            continue;
        }
        control->GetComboContent(lookupTables(c.rate));
        // Every reading of the box agrees: the summary and the line prices.
        const double rate = text::toNumber(form().txtCurrConversionRate.text(), control->locale());
        EXPECT_NO_THROW(control->GetSalesTaxesNFees());
        control->setReadData(lineWith({{&LineSpec::unitPrice, "10"}}).record());
        EXPECT_EQ(cell(1, 15), text::formatFixed(10 * rate, 2, control->locale()));
    }
}
