#pragma once

#include "core/VendorFeeRules.h"
#include "zelt/control/Country.h"
#include "zelt/control/udtTaxPattern.h"
#include "zelt/control/Mode.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zelt {

/// The control's member state: one member per stored property, plus the
/// internal state the procedures share. Values at creation are those below.
struct ControlState {
    Mode mode = Mode::AddMode;
    std::string CenterID;
    std::string DeliveryAgentID;
    std::string PersonType;
    bool IsDirty = false;
    bool IsFirstInit = false;
    bool deliveryCheckBoxChecked = false;
    std::string RewardsPoints = "0";
    double RewardsAmount = 0;
    bool AllowFreightOverride = false;
    bool AllowEHDOverride = true;
    std::int32_t VendorFreightMethodID = 0;
    std::int16_t CurrentOrderStatus = 0;
    std::int32_t VendorID = 0;
    bool IsCenterLevel = false;
    std::string MemberID;
    std::string CustomerOrderedDate;
    std::string ZeltEvent;
    std::string UseNormalTaxes;
    bool UsesZeltD = false;
    bool BrokerageFeeTaxed = false;
    bool DutyFeeTaxed = false;
    bool HandlingFeeTaxed = false;
    bool VendorFeeTaxed = false;
    std::string BrokageFeeCode, DutyFeeCode, VendorServiceFeeCode, HandlingFeeCode, FeeCode;
    std::string CenterDeliveryFrieghtCode, HomeDeliveryEHDFrieghtCode, NonCenterDeliveryFrieghtCode;
    bool NonCenterDelivery = false;
    bool TransshipOrder = false;
    bool ThirdPartyDelivery = false;
    std::string FromStreet1, FromStreet2, FromStreet3, FromCity, FromState, FromZip, FromCountry;
    std::string ShipStreet1, ShipStreet2, ShipStreet3, ShipCity, ShipState, ShipZip, ShipCountry;
    COUNTRY orderCountry = COUNTRY::OTHERS;
    std::int16_t vendorCountry = 0;
    /// Taxable amounts, country, state, county, city, local.
    std::string CountryTaxableAmount, StateTaxableAmount, CountyTaxableAmount, CityTaxableAmount, LocalTaxableAmount;
    std::string FrieghtTaxable;
    std::string TaxLineExemptedCode;
    std::string InternalTaxServiceURL;
    std::string Account, LicenseKey, ProfileClient, Url;
    std::string CompanyCode, CustomerCode, DocCode;
    std::string TaxXML, TaxDataXML, AvalavaErrorMessage;
    std::string XMLComponentDownloadMessage, XMLComponentDownloadURL;
    std::string ConnectionString, UPSBaseXMLPath, UPSAccessXMLPath, PONumber, OnlineOrderID;
    bool DisablePaymentButton = false;
    bool ExemptPermission = false;

    // Internal state shared by the procedures.
    std::string fieldSeparator = "$F$";
    std::string recordSeparator = "$R$";
    std::string tableSeparator = "$T$";
    bool carrierLinkVisited = false;
    /// The order status flag set by fGetOderIDStatus.
    bool orderStatusFlag = false;
    /// The line columns greyed on lines that are not priced.
    std::array<int, 7> shadedColumns{};
    /// Rows of the exempt lines as entered, each followed by "|".
    std::string exemptScratchList;
    VendorFeeRules vendorFees;
    /// Bounds of every web exchange, settable by the host.
    std::chrono::milliseconds serviceConnectTimeout{10'000};
    std::chrono::milliseconds serviceTotalTimeout{30'000};
    std::size_t serviceMaxAnswerBytes = 8u << 20;
    /// The last web service failure: which service, the address without
    /// credentials, why. Empty while none failed.
    std::string lastServiceFailure;
    /// The surcharge service: server name, address and SOAP action.
    std::string surchargeServerName, surchargeServiceAddress, surchargeSoapAction;
    /// Per-jurisdiction tax totals: country, state, county, city, special (local).
    std::array<double, 5> jurisdictionTaxTotal{};
    /// How each line of the last Canadian AvaTax result was taxed.
    std::vector<udtTaxPattern> taxPattern;
    /// FreightRate1 to FreightRate4: per pound, by weight bracket.
    std::array<double, 4> freightRates{};
    std::string vendorPriceListDate;
    std::string dutyAndBrokerageFeeText;
    /// Per jurisdiction, country, state, county, city, local.
    std::array<std::string, 5> jurisdictionRateText;
    std::array<double, 5> jurisdictionOverrideAmount{};
    bool factoryPickup = false;
    /// The form's count of the clerk's changes when the taxes were last
    /// worked out: a different count means they may be out of date.
    std::uint64_t taxesCurrentAt = 0;
    /// The most lines a load takes.
    std::size_t maxLines = 1'000'000;

    // Line editing.
    /// The Status of the line last copied into the entry fields.
    std::int16_t selectedLineStatus = 0;
    /// Set by a press that showed the line-cancel message: the click after it does nothing.
    bool suppressGridClick = false;
    /// True while a grid click copies a line into the entry fields.
    bool loadingLine = false;
    /// True while the control itself sets the exempt box.
    bool exemptGuard = false;
    /// True after a line cancel froze the entry fields and order-level boxes.
    bool lineCancelFroze = false;
    /// The cells (columns 0 to Ext.Price) of the line the pop-up menu's Copy
    /// remembered; empty: none. The cells, not the row: the rows move when
    /// lines are deleted.
    std::vector<std::string> clipCells;
    /// What the entry area held when the open line was opened.
    std::string openLineValues;
    /// The acknowledgement number and date of the last acknowledged line written.
    std::string rememberedAckNumber;
    std::string rememberedAckDate;
};

} // namespace zelt
