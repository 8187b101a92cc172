// Feeds arbitrary text to every member that reads the host's exchange strings,
// and to the fee and tax boxes as typed or pasted text, in every mode. Bad
// input may raise zelt::Error; anything else (a crash, a sanitizer report,
// another exception) is a fault.
#include "Tolerate.h"

#include <zelt/OrderedItems.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kLookups =
    "Open$F$1$R$Received$F$6$R$Rewards$F$7$R$$T$Each$F$EA$R$$T$UPS$F$1$R$Club$F$2$R$$T$Spring$F$2024-03-01$R$$T$"
    "1.25$R$$T$";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const auto mode = static_cast<zelt::Mode>(data[0] % 4);
    const bool canadian = (data[0] & 4) != 0;
    const unsigned target = data[1] % 6;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    zelt::OrderedItems control;
    if (canadian) control.CountryID(zelt::COUNTRY::CANADA, 2);
    control.setViewMode(mode);
    tolerate([&] { control.GetComboContent(kLookups); });
    tolerate([&] { control.setReadData("1$F$1$F$1$F$1$F$0$F$$F$2$F$EA$F$M$F$$F$$F$$F$D$F$1$F$2024-01-05$F$10$F$1$F$$F$0$F$$F$0$F$$R$"); });

    switch (target) {
    case 0: tolerate([&] { control.setReadData(text); }); break;
    case 1: tolerate([&] { control.GetComboContent(text); }); break;
    case 2: tolerate([&] { control.LetSalesTaxesNFees(text); }); break;
    case 3: {
        auto at = text.find('\n');
        tolerate([&] {
            control.LetSalesTaxesNFees(text.substr(0, at), at == std::string::npos ? "" : text.substr(at + 1),
                                       text);
        });
        break;
    }
    case 4: {
        // The clerk overrides fees and taxes and types the text into them.
        auto& f = control.form();
        f.chkServiceFee.userClick();
        f.txtFee[3].typeText(text);
        f.txtFee[3].userEdit(text, 0);
        f.chkTaxes[13].userClick();
        f.txtFieldTax[13].typeText(text);
        f.txtCurrConversionRate.setText(text);
        f.txtField[4].setText(text);
        f.txtField[12].setText("1");
        f.OptVndrCntryID[1].userClick();
        control.SetTaxNFees();
        break;
    }
    case 5: tolerate([&] { control.setShipCountry(text); }); break;
    }
    tolerate([&] { (void)control.GetSalesTaxesNFees(); });
    tolerate([&] { (void)control.GetTotalAmount(); });
    tolerate([&] { (void)control.IsPendingAcknowledgement(); });
    control.SetTaxNFees();
    return 0;
}
