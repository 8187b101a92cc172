#pragma once

#include <string_view>

namespace zelt::platform {

/// Hears the control's web exchanges: a window shows a busy cursor while one
/// runs and a short line when one fails. Every member does nothing by default.
class ServiceActivity {
public:
    virtual ~ServiceActivity() = default;
    virtual void exchangeStarted(std::string_view /*service*/) {}
    virtual void exchangeEnded() {}
    /// Which service failed, the address without credentials, why.
    virtual void exchangeFailed(std::string_view /*what*/) {}
};

} // namespace zelt::platform
