#include "platform/AvaTaxJson.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

using namespace zelt;

namespace {

// A transaction answer with its many fields, the details named by jurisdictionType.
const char* kTransaction = R"({
  "id": 123456789, "code": "PO-7", "companyId": 12345, "date": "2024-05-01", "status": "Saved",
  "type": "PurchaseInvoice", "currencyCode": "USD", "reconciled": false, "totalAmount": 100.0, "totalTax": 8.875,
  "totalTaxable": 100.0, "modifiedDate": "2024-05-01T10:15:00.000Z", "lines": [{
    "id": 1, "lineNumber": "Merch1", "itemCode": "OC-2210", "taxCode": "P0000000", "tax": 8.875,
    "taxableAmount": 100.0, "exemptAmount": 50.0, "isItemTaxable": true, "quantity": 2.0, "details": [
      {"id": 11, "jurisCode": "36", "jurisName": "NEW YORK", "jurisdictionType": "State", "jurisType": "STA",
       "rate": 0.04, "tax": 4.0, "taxableAmount": 100.0, "taxType": "Sales", "taxName": "NY STATE TAX"},
      {"jurisCode": "51000", "jurisName": "NEW YORK CITY", "jurisdictionType": "City", "jurisType": "CIT",
       "rate": 0.045, "tax": 4.5, "taxableAmount": 100.0, "nonTaxableAmount": 0.0, "taxType": "Sales"},
      {"jurisCode": "359071", "jurisName": "METROPOLITAN COMMUTER TRANSPORTATION DISTRICT", "jurisType": "STJ",
       "jurisdictionType": "Special", "rate": 0.00375, "tax": 0.375, "taxableAmount": 100.0, "taxType": "Use"}]}],
  "addresses": [], "messages": [], "summary": []
})";

// The same line as the short published test data carries it: jurisType codes only.
const char* kShortCodes = R"({"code": "PO-8", "status": "Committed", "type": "SalesInvoice", "lines": [
  {"lineNumber": "1", "tax": 5, "taxableAmount": 100, "details": [
    {"jurisType": "CNT", "jurisCode": "CA", "rate": 0.05, "taxableAmount": 100},
    {"jurisType": "STA", "jurisCode": "ON", "rate": 0.08, "taxableAmount": 100},
    {"jurisType": "CTY", "rate": 0.01}, {"jurisType": "CIT", "rate": 0.01}, {"jurisType": "STJ", "rate": 0.01},
    {"jurisType": "XYZ", "rate": 0.5}]}]})";

} // namespace

TEST(AvaTaxJson, TransactionsErrorsAndGarbageBecomeTaxResultsAndTheRequestCarriesTheDocument)
{
    const platform::AvaTaxResult r = avaTaxResultFromJson(kTransaction);
    EXPECT_EQ((std::vector<int>{r.resultCode, r.docStatus, r.docType}), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(r.docCode + " " + r.docDate + " " + r.docId + " " + r.timestamp,
              "PO-7 2024-05-01 123456789 2024-05-01T10:15:00.000Z");
    EXPECT_EQ(r.totalTax.toString(text::Locale::enUS()), "8.875");
    ASSERT_EQ(r.lines.size(), 1u);
    const platform::AvaTaxLine& line = r.lines[0];
    EXPECT_EQ(line.no + " " + line.taxCode, "Merch1 P0000000");
    EXPECT_TRUE(line.taxability);
    EXPECT_EQ(line.exemption.toDouble(), 50);
    ASSERT_EQ(line.details.size(), 3u);
    std::vector<int> types;
    for (const auto& d : line.details) types.insert(types.end(), {d.jurisType, d.taxType});
    EXPECT_EQ(types, (std::vector<int>{1, 1, 3, 1, 4, 2})) << "State, City, Special; Sales, Sales, Use";
    EXPECT_DOUBLE_EQ(line.details[1].rate, 0.045);
    EXPECT_EQ(line.details[2].jurisName, "METROPOLITAN COMMUTER TRANSPORTATION DISTRICT");
    // Short jurisdiction codes map too.
    const platform::AvaTaxResult s = avaTaxResultFromJson(kShortCodes);
    ASSERT_EQ(s.lines.size(), 1u);
    types.clear();
    for (const auto& d : s.lines[0].details) types.push_back(d.jurisType);
    EXPECT_EQ(types, (std::vector<int>{0, 1, 2, 3, 4, 5})) << "an unknown code is a type the result skips";
    EXPECT_EQ(std::pair(s.docStatus, s.docType), std::pair(4, 1));
    // The request carries the document, its addresses and lines.
    platform::AvaTaxRequest request;
    request.companyCode = "007";
    request.customerCode = "M-42";
    request.customerUsageType = "NY";
    request.docCode = "PO-7";
    request.docDate = "2024-05-01";
    request.origin = {"1 Main St", "", "", "Albany", "NY", "12207", "US"};
    request.destination = {"5 Park Ave", "Suite 2", "", "New York", "NY", "10016", "US"};
    request.lines = {{"Merch1", "OC-2210", 2, text::Currency::fromDouble(100), ""},
                     {"Freight", "", 1, text::Currency::fromDouble(12.5), "FR020100"}};
    const auto body = nlohmann::json::parse(avaTaxRequestJson(request));
    for (auto [key, value] : {std::pair{"type", "PurchaseInvoice"}, {"companyCode", "007"}, {"customerCode", "M-42"},
                              {"entityUseCode", "NY"}, {"code", "PO-7"}, {"date", "2024-05-01"}})
        EXPECT_EQ(body[key], value) << key;
    EXPECT_EQ(body["addresses"]["shipFrom"]["city"], "Albany");
    EXPECT_EQ(body["addresses"]["shipTo"]["line2"], "Suite 2");
    ASSERT_EQ(body["lines"].size(), 2u);
    EXPECT_EQ(body["lines"][1]["number"], "Freight");
    EXPECT_EQ(body["lines"][1]["taxCode"], "FR020100");
    EXPECT_DOUBLE_EQ(body["lines"][1]["amount"].get<double>(), 12.5);
    EXPECT_DOUBLE_EQ(body["lines"][0]["quantity"].get<double>(), 2);
    // Error answers give their messages; garbage is an exception.
    const platform::AvaTaxResult answer = avaTaxResultFromJson(R"({"error": {"code": "AddressRangeError",
        "message": "Address not found", "target": "IncorrectData", "details": [
          {"code": "AddressRangeError", "number": 304, "message": "The address number is out of range",
           "description": "The address was found but the street number is out of range.",
           "refersTo": "Addresses[0]", "severity": "Error"}]}})");
    EXPECT_EQ(answer.resultCode, 2);
    ASSERT_EQ(answer.messages.size(), 1u);
    EXPECT_EQ(answer.messages[0].summary + "|" + answer.messages[0].details + "|" + answer.messages[0].source,
              "The address number is out of range|The address was found but the street number is out of range.|"
              "Addresses[0]");
    for (const char* garbage : {"<html>", "[1,2]", "", "{\"lines\": 5}", "{\"reconciled\": \"yes\"}",
                                "{\"lines\": [{\"isItemTaxable\": 3}]}",
                                // A number no double holds: the JSON reader throws out_of_range, not parse_error.
                                "423460999e27023468", "{\"totalTax\": 1e99999}"}) {
        const platform::AvaTaxResult g = avaTaxResultFromJson(garbage);
        EXPECT_TRUE(g.resultCode == 3 || g.lines.empty()) << garbage;
    }
    // Tax types beyond Sales and Use keep their own name; a status the
    // control does not know is none; warnings of a taxed transaction are read.
    const platform::AvaTaxResult t = avaTaxResultFromJson(R"({"code": "PO-9", "status": "Adjusted",
        "type": "PurchaseInvoice", "lines": [{"lineNumber": "Merch1", "tax": 1, "taxableAmount": 10, "details": [
          {"jurisdictionType": "State", "rate": 0.06, "taxableAmount": 10, "taxType": "ConsumerUse"},
          {"jurisdictionType": "City", "rate": 0.01, "taxableAmount": 10, "taxType": "Excise"},
          {"jurisdictionType": "Special", "rate": 0.01, "taxableAmount": 10, "taxType": "Sales"}]}],
        "messages": [{"summary": "Address not geocoded", "details": "The street could not be found.",
                      "refersTo": "Addresses[1]", "severity": "Warning", "source": "Avalara.AvaTax.Services"}]})");
    EXPECT_EQ(std::pair(t.resultCode, t.docStatus), std::pair(0, -1));
    ASSERT_EQ(t.lines.size(), 1u);
    const auto& d = t.lines[0].details;
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(std::vector<std::string>({d[0].taxTypeName, d[1].taxTypeName, d[2].taxTypeName}),
              (std::vector<std::string>{"ConsumerUse", "Excise", ""}));
    EXPECT_EQ(d[2].taxType, 1);
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.messages[0].summary + "|" + t.messages[0].source, "Address not geocoded|Addresses[1]");
    // An amount no currency value holds refuses the answer; it is never read as 0.
    for (const char* beyond : {R"({"totalTax": 1e16})", R"({"lines": [{"tax": -1e20}]})",
                               R"({"lines": [{"details": [{"taxableAmount": 9.3e14}]}]})"}) {
        const platform::AvaTaxResult g = avaTaxResultFromJson(beyond);
        EXPECT_EQ(g.resultCode, 3) << beyond;
        ASSERT_FALSE(g.messages.empty());
        EXPECT_NE(g.messages[0].summary.find("beyond the currency range"), std::string::npos);
    }
}
