#include "support/OrderFixture.h"

#include "control/ControlAccess.h"
#include "core/ControlContext.h"
#include "taxservices/TaxResultXml.h"

using namespace zelt;
using platform::AvaTaxDetail;
using platform::AvaTaxLine;
using platform::AvaTaxResult;
using text::Currency;

namespace {

AvaTaxResult header()
{
    AvaTaxResult r;
    r.docCode = "PO-7";
    r.docDate = "2024-05-01";
    r.docId = "991";
    r.docStatus = 2;
    r.docType = 3;
    r.timestamp = "2024-05-01T10:15:00";
    r.totalAmount = Currency::fromDouble(100);
    r.totalTax = Currency::fromDouble(8.5);
    r.totalTaxable = Currency::fromDouble(100);
    r.transactionId = "T-1";
    return r;
}

AvaTaxDetail detail(int type, double rate, double taxable, const char* code)
{
    AvaTaxDetail d;
    d.jurisType = type;
    d.rate = rate;
    d.taxable = Currency::fromDouble(taxable);
    d.base = d.taxable;
    d.tax = Currency::fromDouble(taxable * rate);
    d.jurisCode = code;
    d.jurisName = std::string("Name ") + code;
    d.taxType = 1;
    return d;
}

const std::string kTrailer = "</TaxLines>\r\n<Timestamp><![CDATA[\r\n2024-05-01T10:15:00\r\n]]></Timestamp>\r\n"
                             "<TotalAmount><![CDATA[\r\n100\r\n]]></TotalAmount>\r\n<TotalExemption><![CDATA[\r\n0\r\n"
                             "]]></TotalExemption>\r\n<TotalTax><![CDATA[\r\n8.5\r\n]]></TotalTax>\r\n<TotalTaxable>"
                             "<![CDATA[\r\n100\r\n]]></TotalTaxable>\r\n<TransactionId><![CDATA[\r\nT-1\r\n]]>"
                             "</TransactionId>\r\n</GetTaxResult>\r\n";
const std::string kHeader = "<GetTaxResult>\r\n<DocCode>PO-7</DocCode>\r\n<DocDate>2024-05-01</DocDate>\r\n"
                            "<DocId>991</DocId>\r\n<DocStatus>Saved</DocStatus>\r\n<DocType>PurchaseInvoice</DocType>\r\n"
                            "<Messages />\r\n<Reconciled>False</Reconciled>\r\n<ResultCode>Success</ResultCode>\r\n"
                            "<TaxLines>\r\n";

/// A detail's code, name and the level it is written as.
std::string written(const std::string& code, const char* level)
{
    return "<JurisCode><![CDATA[" + code + "]]></JurisCode>\r\n                     <JurisName><![CDATA[Name " + code +
           "]]></JurisName>\r\n                     <JurisType><![CDATA[" + level + "]]></JurisType>";
}

class TaxResult : public zelt::testing::OrderFixture {
protected:
    ControlContext& ctx() { return ControlAccess::context(*control); }
    std::string xml(const AvaTaxResult& r) { return TaxResultXml(ctx()).GetTaxResultToXML(r); }
};

} // namespace

TEST_F(TaxResult, AUsLineWritesItsDetailsAndFillsTotalsAndRates)
{
    form().txtHiddenStateTaxRate.setText("0.07");
    EXPECT_EQ(xml(header()), kHeader + kTrailer) << "a result without lines";
    EXPECT_EQ(form().txtHiddenStateTaxRate.text(), "") << "the hidden rates start empty";
    AvaTaxResult r = header();
    AvaTaxLine line;
    line.taxable = Currency::fromDouble(100);
    line.rate = 0.085;
    line.taxability = true;
    line.details = {detail(0, 0.01, 100, "US"), detail(0, 0.02, 100, "US2"), detail(4, 0.005, 100, "SP1"),
                    detail(9, 0.5, 100, "skipped")};
    AvaTaxLine second = line;
    second.no = "Merch2";
    second.taxCode = "P&0000";
    second.details = {detail(4, 0.0025, 40, "SP2")};
    r.lines = {line, second};
    const std::string out = xml(r);
    const std::string firstLine =
        "<TaxLine>\r\n     <BoundaryLevel>Address</BoundaryLevel>\r\n     <Discount>0</Discount>\r\n"
        "     <Exemption>0</Exemption>\r\n     <Rate>0.085</Rate>\r\n     <Tax>0</Tax>\r\n"
        "     <Taxability>True</Taxability>\r\n     <Taxable>100</Taxable>\r\n         <TaxDetails>\r\n"
        "               <TaxDetail>\r\n                     <Base><![CDATA[100]]></Base>\r\n"
        "                     <Exemption><![CDATA[0]]></Exemption>\r\n                     " +
        written("US", "Country") + "\r\n                     <NonTaxable><![CDATA[0]]></NonTaxable>\r\n"
        "                     <Rate><![CDATA[0.01]]></Rate>\r\n                     <Tax><![CDATA[1]]></Tax>\r\n"
        "                     <Taxable><![CDATA[100]]></Taxable>\r\n                     <TaxType>Sales</TaxType>\r\n"
        "               </TaxDetail>\r\n";
    EXPECT_EQ(out.substr(kHeader.size(), firstLine.size()), firstLine);
    EXPECT_EQ(out.find("skipped"), std::string::npos) << "a detail of another type is skipped";
    EXPECT_NE(out.find("  <No>Merch2</No>\r\n"), std::string::npos);
    EXPECT_NE(out.find("     <TaxCode>P&amp;0000</TaxCode>\r\n"), std::string::npos) << "codes are escaped";
    EXPECT_EQ(out.substr(out.size() - kTrailer.size()), kTrailer);
    // Both country details count; the hidden rate is the first one's.
    EXPECT_DOUBLE_EQ(ctx().state.jurisdictionTaxTotal[0], 3);
    EXPECT_EQ(form().txtHiddenCountryTaxRate.text(), "0.01");
    // Specials: every line's first one adds its taxable amount; only the first line's rate and block count.
    EXPECT_DOUBLE_EQ(ctx().state.jurisdictionTaxTotal[4], 140);
    EXPECT_EQ(form().txtHiddenLocalTaxRate.text(), "0.005");
    EXPECT_EQ(form().txtHiddenLocalTaxInfo.text(), "<TaxLocalDetail>\r\n     <TaxLocalJurisCode>\r\nSP1\r\n"
                                                   "     </TaxLocalJurisCode>\r\n     <TaxLocalRate>\r\n0.005\r\n"
                                                   "     </TaxLocalRate>\r\n</TaxLocalDetail>\r\n");
}

TEST_F(TaxResult, ACanadianResultIsRemappedAndAnUnknownStatusOrTaxTypeIsWrittenAsItCan)
{
    control->setShipCountry("Canada");
    AvaTaxResult r = header();
    r.lines.resize(2);
    r.lines[0].details = {detail(1, 0.05, 100, "GST"), detail(2, 0.07, 100, "PST")};
    r.lines[1].details = {detail(1, 0, 50, "GST0"), detail(2, 0.08, 50, "HST")};
    const std::string out = xml(r);
    EXPECT_NE(out.find("           <TaxDetail>\r\n"), std::string::npos) << "11 blanks on a Canadian order";
    // Line 1: state details as Country, county details as State. Line 2 has only a county-type
    // tax: it is the Country tax, and no State detail is written.
    for (auto [code, level] : {std::pair{"GST", "Country"}, {"PST", "State"}, {"HST", "Country"}})
        EXPECT_NE(out.find(written(code, level)), std::string::npos) << code;
    EXPECT_EQ(out.find("GST0"), std::string::npos);
    EXPECT_DOUBLE_EQ(ctx().state.jurisdictionTaxTotal[0], 5 + 4);
    EXPECT_DOUBLE_EQ(ctx().state.jurisdictionTaxTotal[1], 7);
    EXPECT_EQ(form().txtHiddenCountryTaxRate.text(), "0.08") << "the last Canadian detail wins";
    ASSERT_EQ(ctx().state.taxPattern.size(), 3u);
    EXPECT_TRUE(ctx().state.taxPattern[0].StateFound);
    EXPECT_FALSE(ctx().state.taxPattern[1].StateFound);
    EXPECT_TRUE(ctx().state.taxPattern[1].CountyFound);
    // On a US order an unknown status is none; other tax types keep their name.
    control->setShipCountry("USA");
    AvaTaxResult u = header();
    u.docStatus = -1;
    u.lines.resize(1);
    u.lines[0].no = "Merch1";
    std::vector<AvaTaxDetail>& details = u.lines[0].details = {detail(1, 0.06, 10, "36"), detail(3, 0.01, 10, "51")};
    details[0].taxTypeName = "Consumer<Use>";
    details[0].taxType = details[1].taxType = 0;
    const std::string doc = xml(u);
    EXPECT_NE(doc.find("<DocStatus></DocStatus>"), std::string::npos) << doc;
    // The second detail has no type of its own and keeps the one before.
    std::size_t at = doc.find("<TaxType>Consumer&lt;Use&gt;</TaxType>");
    ASSERT_NE(at, std::string::npos) << doc;
    EXPECT_NE(doc.find("<TaxType>Consumer&lt;Use&gt;</TaxType>", at + 1), std::string::npos) << doc;
    // A CDATA value cannot end its section.
    u.transactionId = "a]]>b";
    EXPECT_NE(xml(u).find("a]]]]><![CDATA[>b"), std::string::npos);
}
