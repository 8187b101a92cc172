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

    /// One exchange from start to end, however it ends.
    class Scope {
    public:
        Scope(ServiceActivity& activity, std::string_view service) : activity_(activity)
        {
            activity_.exchangeStarted(service);
        }
        ~Scope() { activity_.exchangeEnded(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ServiceActivity& activity_;
    };
};

} // namespace zelt::platform
