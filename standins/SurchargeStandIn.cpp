#include "SurchargeStandIn.h"

#include <pugixml.hpp>

#include <sstream>

namespace zelt::standins {

namespace {

std::string dataSet(const std::map<int, double>& table, int carrier)
{
    std::string rows;
    if (auto it = table.find(carrier); it != table.end()) {
        std::ostringstream percent;
        percent << it->second;
        rows = "<Table diffgr:id=\"Table1\" msdata:rowOrder=\"0\"><Total_CarrierSurchargeAmount>0</Total_CarrierSurchargeAmount>"
               "<Total_CarrierSurchargePercentage>" + percent.str() + "</Total_CarrierSurchargePercentage></Table>";
    }
    return "<Root><DataSet><diffgr:diffgram xmlns:msdata=\"urn:schemas-microsoft-com:xml-msdata\" "
           "xmlns:diffgr=\"urn:schemas-microsoft-com:xml-diffgram-v1\"><NewDataSet>" + rows +
           "</NewDataSet></diffgr:diffgram></DataSet></Root>";
}

} // namespace

SurchargeStandIn::SurchargeStandIn(std::map<int, double> percentages) : percentages_(std::move(percentages))
{
    server_.server.Post("/WebServices/SurchargeInformation/Service.asmx",
                        [this](const httplib::Request& req, httplib::Response& res) {
                            pugi::xml_document request;
                            request.load_string(req.body.c_str());
                            const int carrier = request.select_node("//CarrierID").node().text().as_int(-1);
                            received_.keep(req);
                            res.set_content(
                                "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                                "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>"
                                "<GetSurChargesResponse xmlns=\"http://tempuri.org/SurchargeInformation/\">"
                                "<GetSurChargesResult>" + escapedMarkup(dataSet(percentages_, carrier)) +
                                    "</GetSurChargesResult></GetSurChargesResponse></soap:Body></soap:Envelope>",
                                "text/xml; charset=utf-8");
                        });
    server_.start();
}

std::string SurchargeStandIn::serverName() const { return "http://127.0.0.1:" + std::to_string(server_.port()) + "/"; }

std::string SurchargeStandIn::lastEnvelope() const { return received_.body(); }
std::string SurchargeStandIn::lastAction() const { return received_.action(); }
int SurchargeStandIn::requests() const { return received_.count(); }

} // namespace zelt::standins
