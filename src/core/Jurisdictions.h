#pragma once

#include "core/ControlState.h"
#include "text/TextRules.h"
#include "zelt/view/Form.h"

#include <array>

namespace zelt {

inline constexpr int TXT_COUNTRYTAX = 12;
inline constexpr int TXT_STATETAX = 13;
inline constexpr int TXT_COUNTYTAX = 14;
inline constexpr int TXT_CITYTAX = 15;
inline constexpr int TXT_LOCALTAX = 16;

/// One tax jurisdiction: its position k in the saved records (0 country to
/// 4 local), the index of its tax field, override box and caption, its hidden
/// rate field, its taxable amount and its type in the host's rate records.
struct Jurisdiction {
    int k;
    int index;
    view::TextBox view::Form::*rateField;
    std::string ControlState::*taxableAmount;
    int salesTaxType;
    const char* name; ///< as messages to the clerk name it
};

inline constexpr std::array<Jurisdiction, 5> kJurisdictions = {{
    {0, TXT_COUNTRYTAX, &view::Form::txtHiddenCountryTaxRate, &ControlState::CountryTaxableAmount, 1, "country"},
    {1, TXT_STATETAX, &view::Form::txtHiddenStateTaxRate, &ControlState::StateTaxableAmount, 2, "state"},
    {2, TXT_COUNTYTAX, &view::Form::txtHiddenCountyTaxRate, &ControlState::CountyTaxableAmount, 3, "county"},
    {3, TXT_CITYTAX, &view::Form::txtHiddenCityTaxRate, &ControlState::CityTaxableAmount, 4, "city"},
    {4, TXT_LOCALTAX, &view::Form::txtHiddenLocalTaxRate, &ControlState::LocalTaxableAmount, 5, "local"},
}};

inline const Jurisdiction& jurisdiction(int index) { return kJurisdictions[static_cast<std::size_t>(index - TXT_COUNTRYTAX)]; }

/// The orders in which the tax procedures visit the jurisdictions.
inline constexpr std::array<int, 5> kAmountPathOrder = {TXT_CITYTAX, TXT_COUNTYTAX, TXT_COUNTRYTAX, TXT_LOCALTAX,
                                                        TXT_STATETAX};
inline constexpr std::array<int, 5> kRatePathOrder = {TXT_CITYTAX, TXT_COUNTRYTAX, TXT_COUNTYTAX, TXT_LOCALTAX,
                                                      TXT_STATETAX};

/// True when the ship-to country, in capitals, is "CAN" or "CANADA": the
/// jurisdictions are then the country and the province.
inline bool isCanadianShipCountry(const std::string& shipCountry)
{
    const std::string upper = text::upperCased(shipCountry);
    return upper == "CAN" || upper == "CANADA";
}

} // namespace zelt
