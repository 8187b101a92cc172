// The host loaders' guarantee, checked on arbitrary text: a load either is
// refused with zelt::Error and leaves everything the host and the clerk can
// observe byte for byte as it was, or is taken and leaves an order whose
// exchange strings can be written, its lines loading again. The first byte picks the loader, the mode and
// the locale; the rest is the text (for the three-argument loads, split at
// the first two newlines).
#include "ControlSnapshot.h"

#include <zelt/OrderedItems.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kLookups =
    "Open$F$1$R$Received$F$6$R$Rewards$F$7$R$$T$Each$F$EA$R$$T$UPS$F$1$R$Club$F$2$R$$T$Spring$F$2024-03-01$R$$T$"
    "1.25$R$$T$";
constexpr std::string_view kLines =
    "1$F$1$F$1$F$1$F$0$F$$F$2$F$EA$F$M$F$$F$$F$$F$D$F$1$F$2024-01-05$F$10$F$1$F$$F$0$F$$F$0$F$$R$"
    "1$F$2$F$6$F$1$F$0$F$$F$3.5$F$EA$F$N$F$$F$$F$$F$E$F$2.25$F$2024-01-05$F$4.5$F$1$F$$F$0$F$$F$-1$F$$R$";

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "guarantee broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

std::string_view piece(std::string_view& rest)
{
    const auto at = rest.find('\n');
    std::string_view out = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const unsigned pick = data[0];
    const auto mode = static_cast<zelt::Mode>(pick % 4);
    const bool french = (pick & 4) != 0;
    const unsigned loader = (pick >> 3) % 4;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    zelt::OrderedItems control;
    control.setViewMode(mode);
    control.GetComboContent(std::string(kLookups));
    control.setReadData(std::string(kLines));
    if (french) control.setLocale(zelt::text::Locale::frCA());

    const std::string before = controlSnapshot(control);
    try {
        switch (loader) {
        case 0: control.setReadData(text); break;
        case 1: control.GetComboContent(text); break;
        case 2: control.LetSalesTaxesNFees(text); break;
        case 3: {
            std::string_view rest = text;
            const std::string fees(piece(rest));
            const std::string tax(piece(rest));
            control.LetSalesTaxesNFees(fees, tax, std::string(rest));
            break;
        }
        }
    } catch (const zelt::Error& e) {
        const std::string after = controlSnapshot(control);
        if (after != before) fail(e.what(), "the refused load changed the control");
        return 0;
    }
    // Taken: both exchange strings can be written, and the lines written
    // load again.
    // GetSalesTaxesNFees may refuse with a reason: it reads each line's
    // DirectionOrder as a number, which the load keeps as received.
    try {
        (void)control.GetSalesTaxesNFees();
    } catch (const zelt::Error&) {
    }
    try {
        const std::string lines = control.readData();
        control.setReadData(lines);
    } catch (const zelt::Error& e) {
        fail("the exchange strings of a taken load do not read back", e.what());
    }
    return 0;
}
