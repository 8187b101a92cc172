#include "InternalTaxStandIn.h"
#include "LoopbackServer.h"

#include "zelt/OrderedItems.h"
#include "zelt/StandIns.h"
#include "zelt/view/ScriptedMessageBoxes.h"

#include "support/TaxTestSupport.h"
#include "support/Throws.h"

#include <gtest/gtest.h>

using namespace zelt;
using namespace std::chrono_literals;

namespace {

std::string line(const char* model, const char* price, const char* exempt)
{
    return std::string("1$F$1$F$1$F$3$F$0$F$$F$1$F$EA$F$") + model + "$F$$F$$F$$F$Item$F$1$F$2024-01-05$F$" + price +
           "$F$1$F$$F$0$F$$F$" + exempt + "$F$$R$";
}

class InternalTax : public ::testing::Test {
protected:
    InternalTax()
    {
        Services services;
        services.eventLog = log;
        control = std::make_unique<OrderedItems>(services);
        control->setEventSink(&totals);
        control->setServiceTimeouts(500ms, 2s);
        control->GetComboContent("Open$F$1$R$$T$Each$F$EA$R$$T$FedEx$F$3$R$$T$$T$1$R$$T$");
        control->setViewMode(Mode::UpdateMode);
        control->setReadData(line("A&B-1", "100", "0") + line("", "50", "-1"));
    }
    ~InternalTax() override { control->setEventSink(nullptr); }
    std::vector<std::string> taxTexts()
    {
        std::vector<std::string> out;
        control->form().txtFieldTax.forEach([&](int, view::TextBox& b) { out.push_back(b.text()); });
        return out;
    }

    std::shared_ptr<platform::MemoryEventLog> log = std::make_shared<platform::MemoryEventLog>();
    zelt::testing::TotalsRecorder totals;
    std::unique_ptr<OrderedItems> control;
};

} // namespace

TEST_F(InternalTax, TheOrderGoesOutTheFiveTaxesComeBackAndNoRequestAtAllTellsWhereToGetTheComponent)
{
    standins::InternalTaxStandIn service({0.05, 0.07, 0.01, 0.005, 0.0});
    control->CalculateTaxesFromVardonInternalService("PO-7");
    EXPECT_TRUE(totals.raised.empty()) << "no address, no request";
    control->setInternalTaxServiceURL(service.url());
    control->setShipCountry("Canada");
    control->CalculateTaxesFromVardonInternalService("PO-7", text::Currency::fromDouble(150));
    // THEN the request carries every line and fee, values escaped
    const std::string request = service.lastRequest();
    for (const char* part : {"          <orderId>PO-7</orderId>",
                             "<lineItems><string>A&amp;B-1|False|100.00|False</string>\r\n"
                             "<string>NotAssigned|False|50.00|True</string>\r\n             </lineItems>",
                             "<feesItems><string>BrokerageFee|0.00</string><string>DutyFee|0.00</string>"
                             "<string>Freight|0.00</string><string>HandlingFee|",
                             "<canadianOrder>Yes</canadianOrder>"})
        EXPECT_NE(request.find(part), std::string::npos) << part << " in\n" << request;
    EXPECT_EQ(service.lastAction(), "http://tempuri.org/InternalTaxService/RecalculateTaxes");
    // AND the taxes on the taxable 100.00 are in their fields, totalled, and the host is told
    EXPECT_EQ(taxTexts(), (std::vector<std::string>{"5.00", "7.00", "1.00", "0.50", "0.00"}));
    EXPECT_EQ(control->form().txtField[17].text(), "13.50");
    EXPECT_EQ(control->form().txtHiddenItemTotal.text(), "150");
    ASSERT_EQ(totals.raised.size(), 1u);
    EXPECT_DOUBLE_EQ(totals.raised[0], control->GetTotalAmount());
    // No request at all tells the clerk where to get the component.
    struct NoExchange : platform::HttpClient {
        platform::HttpResult exchange(const platform::HttpRequest&) override
        {
            return platform::HttpResult::notStarted("no HTTP request can be made");
        }
    };
    auto boxes = std::make_shared<view::ScriptedMessageBoxes>();
    Services services;
    services.http = std::make_shared<NoExchange>();
    services.messageBoxes = boxes;
    OrderedItems c(services);
    c.setXMLComponentDownloadMessage("The XML component is missing.");
    c.setXMLComponentDownloadURL("https://example.com/xml");
    c.setInternalTaxServiceURL("http://127.0.0.1:9/TaxService.asmx");
    EXPECT_THROW(c.CalculateTaxesFromVardonInternalService("PO-7"), ServiceError);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, "The XML component is missing.\r\n\r\nhttps://example.com/xml");
}

TEST_F(InternalTax, AnAnswerThatCannotBeUsedChangesNothingAndAmountsAreReadInTheControlsLocaleFirst)
{
    const auto taxes = [](const char* state, const char* local) {
        return std::string("<Taxes><Country>1</Country><State>") + state + "</State><County>3</County><City>4</City>" +
               local + "</Taxes>";
    };
    struct Case { int status; std::string answer; const char* reason; } cases[] = {
        {500, "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault><faultcode>"
              "soap:Server</faultcode><faultstring>Tax tables are offline</faultstring></soap:Fault></soap:Body>"
              "</soap:Envelope>", "fault: Tax tables are offline"},
        {503, taxes("2", "<Local>0</Local>"), "HTTP 503"},
        {200, taxes("2", ""), "no Local amount"},
        {200, taxes("x", "<Local>5</Local>"), "State amount \"x\" is not a number"},
        {200, taxes("22222222222222222222222222", "<Local>0</Local>"), "cannot be totalled"},
    };
    const Case* answering = nullptr;
    standins::LoopbackServer faults;
    faults.server.Post("/tax", [&](const httplib::Request&, httplib::Response& res) {
        res.status = answering->status;
        res.set_content(answering->answer, "text/xml");
    });
    faults.start();
    control->setInternalTaxServiceURL(faults.url("/tax"));
    const auto before = taxTexts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        answering = &c;
        const auto e = zelt::testing::caught<ServiceError>([&] { control->CalculateTaxesFromVardonInternalService("PO-7"); });
        ASSERT_TRUE(e) << "no error";
        EXPECT_EQ(e->service(), "RecalculateTaxes");
        EXPECT_NE(e->reason().find(c.reason), std::string::npos) << e->what();
        EXPECT_EQ(taxTexts(), before);
        EXPECT_TRUE(totals.raised.empty());
        EXPECT_NE(control->LastServiceFailure().find(c.reason), std::string::npos);
    }
    // Amounts are read in the control's locale before the invariant form.
    // "1,5" is 15 to en-US and 1.5 to fr-CA; "1.500" does not read in fr-CA,
    // holds no decimal comma and is taken as the invariant 1.5.
    struct Read { const text::Locale& locale; const char* answered; const char* shown; };
    const Read reads[] = {
        {text::Locale::enUS(), "1,5", "15.00"},   {text::Locale::enUS(), "1.5", "1.50"},
        {text::Locale::enUS(), "1,500", "1,500.00"}, {text::Locale::enUS(), "1.500", "1.50"},
        {text::Locale::frCA(), "1,5", "1,50"},    {text::Locale::frCA(), "1.5", "1,50"},
        {text::Locale::frCA(), "1,500", "1,50"},  {text::Locale::frCA(), "1.500", "1,50"},
        {text::Locale::frCA(), "1.500,5", ""},
        {text::Locale::frCA(), "1,500,000", ""}, // en-US would read it: a decimal comma says it is the locale's
    };
    std::string answered;
    standins::LoopbackServer service;
    service.server.Post("/tax", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content("<Taxes><Country>" + answered + "</Country><State>0</State><County>0</County><City>0</City>"
                        "<Local>0</Local></Taxes>", "text/xml");
    });
    service.start();
    control->setInternalTaxServiceURL(service.url("/tax"));
    for (const Read& r : reads) {
        SCOPED_TRACE(r.locale.name + " " + r.answered);
        control->setLocale(r.locale);
        answered = r.answered;
        if (*r.shown == '\0') {
            // A text with the locale's own decimal separator that does not read is refused.
            EXPECT_THROW(control->CalculateTaxesFromVardonInternalService("PO-7"), ServiceError);
            continue;
        }
        control->CalculateTaxesFromVardonInternalService("PO-7");
        EXPECT_EQ(taxTexts()[0], r.shown);
    }
}
