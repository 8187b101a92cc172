#pragma once

#include "zelt/platform/HttpClient.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;

/// Posts a SOAP envelope and hands back the service's answer as plain XML:
/// the exchange every web service of the control goes through.
class SoapClient {
public:
    explicit SoapClient(ControlContext& ctx) : ctx_(ctx) {}

    /// The cleaned answer, or the empty text on any failure. A failure is
    /// never silent: it goes to the event log and LastServiceFailure.
    std::string ReturnWebserviceXML(std::string_view AsmxUrl, std::string_view Host, std::string_view SOAPAction,
                                    std::string_view SOAPEnvelope, bool UpdateAddDeleteOnly);
    /// The same exchange for a caller that must tell a failure from an
    /// answer: nothing on any failure, an error status (a SOAP fault
    /// included) being one when `successOnly`.
    std::optional<std::string> call(std::string_view AsmxUrl, std::string_view Host, std::string_view SOAPAction,
                                    std::string_view SOAPEnvelope, bool UpdateAddDeleteOnly, bool successOnly);

    /// What is sent for an envelope: its parsed document written back, the
    /// declaration without its encoding; an envelope that does not parse
    /// gives the empty body.
    static std::string serializedEnvelope(std::string_view envelope);
    /// The answer body parsed and written back, then unescaped and stripped
    /// of the SOAP envelope and body tags.
    static std::string cleanedAnswer(std::string_view body);

    /// Posts a request, telling the service listener while it runs.
    platform::HttpResult post(std::string_view service, const platform::HttpRequest& request);
    /// Tells the event log, the service listener and the host which service
    /// failed and why.
    void recordFailure(std::string_view service, std::string_view url, std::string_view reason);

private:
    ControlContext& ctx_;
};

/// An address with any user name and password taken out, for messages and logs.
std::string withoutCredentials(std::string_view url);

/// Plus signs to blanks, then each "%" and up to two hexadecimal digits to
/// the Windows-1252 character of that code, written as UTF-8. A "%" without a
/// hexadecimal number after it is a type mismatch.
std::string URLDecode(std::string_view what);

/// The opening of every request the control writes: the XML declaration and
/// the SOAP envelope start tag with its namespaces in the services' order.
inline constexpr std::string_view kRequestStart =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">";

/// A value put into an envelope as XML text: & < > " ' escaped.
std::string xmlEscaped(std::string_view value);

} // namespace zelt
