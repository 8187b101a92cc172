#pragma once

// What the tax and fee tests share: a scripted freight component, a recorder
// of the totals the control raises, and a saved fee record of zeros.
#include "zelt/OrderedItems.h"
#include "zelt/platform/FreightCalculator.h"
#include "zelt/text/RuntimeError.h"

#include <string>
#include <vector>

namespace zelt::testing {

/// A freight component that answers a fixed text, or fails at run time, and
/// keeps what it was asked.
struct ScriptedFreight : platform::FreightCalculator {
    std::string answer = "12.5|3";
    bool fails = false;
    platform::FreightRequest asked;
    std::int32_t method = -1;
    std::string calculate(const platform::FreightRequest& request, std::string_view, std::int32_t, std::string_view,
                          std::int32_t vendorFreightMethodID) override
    {
        if (fails) throw text::RuntimeError::overflow();
        asked = request;
        method = vendorFreightMethodID;
        return answer;
    }
};

/// Every total the control raises through GetTotalAmount.
struct TotalsRecorder : OrderedItemsEvents {
    std::vector<double> raised;
    void GetTotalAmount(double& total) override { raised.push_back(total); }
};

/// The third record of the fees: 29 fields of zeros, none flagged.
inline std::string zeroSavedRecord()
{
    std::string s;
    for (int i = 0; i < 29; ++i) s += (i >= 13 ? "0" : "0.00") + std::string("$F$");
    return s + "$R$";
}

} // namespace zelt::testing
