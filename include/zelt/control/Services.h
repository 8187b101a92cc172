#pragma once

#include "zelt/platform/AvaTaxService.h"
#include "zelt/platform/Clock.h"
#include "zelt/platform/EventLog.h"
#include "zelt/platform/FreightCalculator.h"
#include "zelt/platform/HttpClient.h"
#include "zelt/platform/ServiceActivity.h"
#include "zelt/view/MessageBoxService.h"

#include <functional>
#include <memory>

namespace zelt {

/// The outside services the control uses, handed in by the host (or a test).
/// Any left empty gets its default: message boxes recorded and answered with
/// the harmless answer (a window installs real dialogs), the system clock, and
/// the system log (syslog) as the application event log, libcurl for HTTP, and
/// nobody listening to the exchanges, and a freight rate component without
/// rules (every vendor "has no freight rule").
struct Services {
    /// Message boxes to the clerk. Default: view::ScriptedMessageBoxes, which
    /// records them and answers the harmless answer; the Qt widget shows dialogs.
    std::shared_ptr<view::MessageBoxService> messageBoxes;
    /// Today's date (the date pickers at creation). Default: platform::SystemClock.
    std::shared_ptr<platform::Clock> clock;
    /// The application event log: failed web exchanges and ErrorHandlerCenter
    /// entries. Default: platform::SyslogEventLog.
    std::shared_ptr<platform::EventLog> eventLog;
    /// Every web exchange (surcharge, internal tax, SOAP, the default AvaTax
    /// client). Default: platform::CurlHttpClient.
    std::shared_ptr<platform::HttpClient> http;
    /// Hears every exchange and decides how the control waits for it. Default:
    /// a platform::ServiceActivity that runs it where it is called.
    std::shared_ptr<platform::ServiceActivity> activity;
    /// The freight rate component of "Calculate Taxes & Fees". Default: a
    /// platform::RuleTableFreightCalculator without rules.
    std::shared_ptr<platform::FreightCalculator> freight;
    /// Makes the AvaTax tax service object for one run of the tax command.
    /// Default: the AvaTax REST client on the control's HTTP client.
    std::function<std::shared_ptr<platform::AvaTaxService>()> avaTax;
};

} // namespace zelt
