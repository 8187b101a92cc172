#pragma once

// What the window tests give the control in place of the outside world:
// lookup tables and line records, an AvaTax that taxes at a flat state rate, a flat freight.
#include <zelt/OrderedItems.h>

#include <string>
#include <string_view>

namespace zelt::testing {

inline const char* kLookups =
    "Open$F$1$R$Back Ordered$F$2$R$Cancelled$F$3$R$Closed$F$4$R$Line Cancelled$F$5$R$Received$F$6$R$Rewards$F$7$R$$T$"
    "Each$F$EA$R$Box$F$BX$R$$T$UPS Ground$F$1$R$Club Pickup$F$2$R$$T$Spring 2024$F$2024-03-01$R$Fall 2024$F$"
    "2024-09-01$R$$T$1$R$$T$";

/// A readData record: line n with its status, description, quantity, unit and unit price.
inline std::string line(int n, const char* status, const std::string& description, int quantity = 2, const char* unit = "EA",
                        const std::string& price = "10")
{
    return "9$F$" + std::to_string(n) + "$F$" + status + "$F$1$F$0$F$$F$" + std::to_string(quantity) + "$F$" + unit + "$F$M-" +
           std::to_string(n) + "$F$$F$$F$$F$" + description + "$F$1.5$F$2024-01-05$F$" + price + "$F$1$F$$F$0$F$$F$0$F$$R$";
}

/// AvaTax answering a 4% state tax on the first line, or on every line.
struct StateTax : platform::AvaTaxService {
    explicit StateTax(bool taxEveryLine = false) : everyLine(taxEveryLine) {}
    void setProfileClient(const std::string&) override {}
    void setUrl(const std::string&) override {}
    void setAccount(const std::string&) override {}
    void setLicenseKey(const std::string&) override {}
    int ping(std::string_view) override { return 0; }
    platform::AvaTaxResult getTax(const platform::AvaTaxRequest& request) override
    {
        platform::AvaTaxResult result;
        for (const auto& in : request.lines) {
            platform::AvaTaxLine& out = result.lines.emplace_back();
            out.no = in.number;
            out.taxable = in.amount;
            platform::AvaTaxDetail& state = out.details.emplace_back();
            state.jurisType = 1;
            state.rate = 0.04;
            state.taxable = in.amount;
            if (!everyLine) break;
        }
        return result;
    }
    bool everyLine;
};

/// Fees and taxes whose vendor charges a service fee of 2 per unit and 10 %
/// handling, every saved amount zero; `point` is the locale's decimal point.
inline std::string serviceAndHandlingFees(const std::string& point = ".")
{
    std::string saved;
    for (int i = 0; i < 29; ++i) saved += (i >= 13 ? "0" : "0" + point + "00") + std::string("$F$");
    return "0$F$2$F$0$F$0" + point + "1$F$0$F$$R$0$F$0$F$0$F$0$F$0$F$0$F$0$F$0$R$" + saved + "$R$";
}

struct FlatFreight : platform::FreightCalculator {
    std::string calculate(const platform::FreightRequest&, std::string_view, std::int32_t, std::string_view,
                          std::int32_t) override
    {
        return "30|5";
    }
};

} // namespace zelt::testing
