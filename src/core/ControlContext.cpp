#include "core/ControlContext.h"

#include "zelt/platform/AvaTaxRestService.h"
#include "zelt/platform/CurlHttpClient.h"
#include "zelt/platform/RuleTableFreightCalculator.h"
#include "zelt/platform/SyslogEventLog.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/view/ScriptedMessageBoxes.h"

namespace zelt {

ControlContext::ControlContext(Services s) : services(std::move(s))
{
    if (!services.messageBoxes) services.messageBoxes = std::make_shared<view::ScriptedMessageBoxes>();
    if (!services.clock) services.clock = std::make_shared<platform::SystemClock>();
    if (!services.eventLog) services.eventLog = std::make_shared<platform::SyslogEventLog>();
    if (!services.http) services.http = std::make_shared<platform::CurlHttpClient>();
    if (!services.activity) services.activity = std::make_shared<platform::ServiceActivity>();
    if (!services.freight)
        services.freight = std::make_shared<platform::RuleTableFreightCalculator>(
            std::map<std::int32_t, platform::RuleTableFreightCalculator::Rule>{});
    if (!services.avaTax)
        services.avaTax = [http = services.http] { return std::make_shared<platform::AvaTaxRestService>(http); };
    form.grdOrdItems.setNumberColumns(numberKeptColumns());
    form.grdOrdItems.setMarkColumn(Col::Exempt, std::string(kExemptMark));
}

view::MessageBoxAnswer ControlContext::message(std::string text, std::string title, view::MessageBoxButtons buttons,
                                               view::MessageBoxIcon icon)
{
    return services.messageBoxes->show({std::move(text), std::move(title), buttons, icon});
}

void ControlContext::reportFailure(std::string_view label, const text::RuntimeError& error)
{
    message(std::string(label) + " " + error.description() + " " + std::to_string(error.number()), "");
}

void ControlContext::recordServiceFailure(std::string entry)
{
    state.lastServiceFailure = entry;
    services.activity->exchangeFailed(entry);
    try {
        services.eventLog->write(entry);
    } catch (const std::exception&) {
        // A log that cannot be written must not turn a failed exchange into a crash.
    }
}

} // namespace zelt
