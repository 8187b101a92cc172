#include "support/OrderFixture.h"

#include "control/ControlAccess.h"
#include "core/ControlContext.h"
#include "services/SoapClient.h"
#include "totals/SurchargeService.h"

#include "zelt/text/RuntimeError.h"

using namespace zelt;

namespace {

std::string dataSet(const std::string& rows)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?><Root><DataSet><diffgr:diffgram "
           "xmlns:diffgr=\"urn:schemas-microsoft-com:xml-diffgram-v1\"><NewDataSet>" + rows +
           "</NewDataSet></diffgr:diffgram></DataSet></Root>";
}

std::string row(const char* amount, const char* percentage)
{
    return std::string("<Table><Total_CarrierSurchargeAmount>") + amount +
           "</Total_CarrierSurchargeAmount><Total_CarrierSurchargePercentage>" + percentage +
           "</Total_CarrierSurchargePercentage></Table>";
}

class SurchargeRead : public zelt::testing::OrderFixture {
protected:
    ControlContext& ctx() { return ControlAccess::context(*control); }
    SoapClient soap{ctx()};
    SurchargeService service{ctx(), soap};
};

} // namespace

TEST_F(SurchargeRead, TheDiffGramWalkTakesTheLastRowsPercentageFromTheUnwrappedAnswer)
{
    EXPECT_DOUBLE_EQ(service.percentage(dataSet(row("0", "0.1") + row("3.5", "0.2"))), 0.2);
    EXPECT_DOUBLE_EQ(service.percentage(dataSet("")), 0) << "no row";
    EXPECT_DOUBLE_EQ(service.percentage("<Root><Other><Table/></Other></Root>"), 0) << "other elements are skipped";
    EXPECT_DOUBLE_EQ(service.percentage("not xml"), 0);
    EXPECT_THROW(service.percentage(dataSet(row("lots", "0.1"))), text::RuntimeError) << "the amount must read";
    // The server name makes the address, and the wrapping comes off. The envelope and the address with its slash are the exchange's (tests/webservices/SurchargeTest).
    control->PutServerName("http://rates.example");
    EXPECT_EQ(ctx().state.surchargeServiceAddress, "http://rates.exampleWebServices/SurchargeInformation/Service.asmx");
    const std::string wrapped = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><GetSurChargesResponse "
                                "xmlns=\"http://tempuri.org/SurchargeInformation/\"><GetSurChargesResult><Root/>"
                                "</GetSurChargesResult></GetSurChargesResponse>";
    EXPECT_EQ(SurchargeService::withoutResponseTags(wrapped), "<?xml version=\"1.0\" encoding=\"utf-8\" ?><Root/>");
}
