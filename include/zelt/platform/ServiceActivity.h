#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace zelt::platform {

/// Hears the control's web exchanges and decides how the control waits for
/// them: a window keeps painting, shows how long the exchange has taken and
/// lets the clerk cancel it. Every member does the plain thing by default:
/// nothing, and the exchange runs where it is called.
class ServiceActivity {
public:
    /// Destroys the activity.
    virtual ~ServiceActivity() = default;
    /// An exchange with `service` starts.
    virtual void exchangeStarted(std::string_view /*service*/) {}
    /// The exchange ended, however it ended.
    virtual void exchangeEnded() {}
    /// Which service failed, the address without credentials, why.
    virtual void exchangeFailed(std::string_view /*what*/) {}

    /// Runs one exchange and returns when it has ended. `service` names the
    /// service ("AvaTax", "RecalculateTaxes", "ReturnWebserviceXML"). An
    /// override may run `exchange` on another thread (it touches nothing but
    /// the exchange) and keep its own thread busy meanwhile; it sets a
    /// CancelScope on that thread so that the clerk can cancel. `exchange`
    /// throws nothing.
    virtual void wait(std::string_view /*service*/, const std::function<void()>& exchange) { exchange(); }

    /// Runs `call` as one exchange from start to end and gives back what it
    /// returned (or throws what it threw), however the override waits.
    template <typename Call>
    auto run(std::string_view service, Call call) -> decltype(call())
    {
        Scope scope(*this, service);
        std::optional<decltype(call())> result;
        std::exception_ptr thrown;
        wait(service, [&] {
            try {
                result.emplace(call());
            } catch (...) {
                thrown = std::current_exception();
            }
        });
        if (thrown) std::rethrow_exception(thrown);
        if (!result) throw std::logic_error("the service activity did not run the exchange");
        return std::move(*result);
    }

    /// True on a thread whose exchange the clerk has cancelled: the HTTP
    /// client ends its transfer and fails it as "cancelled by the clerk".
    static bool cancelRequested() noexcept;

    /// For its life, the exchanges on this thread end when `flag` becomes true.
    class CancelScope {
    public:
        /// Watches `flag` for this thread's exchanges until destroyed.
        explicit CancelScope(const std::atomic<bool>& flag) noexcept;
        /// Puts back the flag watched before.
        ~CancelScope();
        CancelScope(const CancelScope&) = delete;
        CancelScope& operator=(const CancelScope&) = delete;

    private:
        const std::atomic<bool>* previous_;
    };

    /// One exchange from start to end, however it ends.
    class Scope {
    public:
        /// Tells `activity` that an exchange with `service` starts.
        Scope(ServiceActivity& activity, std::string_view service) : activity_(activity)
        {
            activity_.exchangeStarted(service);
        }
        /// Tells the activity that the exchange ended.
        ~Scope() { activity_.exchangeEnded(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ServiceActivity& activity_;
    };
};

} // namespace zelt::platform
