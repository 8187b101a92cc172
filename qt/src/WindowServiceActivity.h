#pragma once

#include <zelt/platform/ServiceActivity.h>

#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <functional>

namespace zelt::qt {

/// The control's web exchanges in the window. An exchange runs off the
/// window's thread while the window keeps painting (the clerk's keys and
/// clicks wait); after a moment a dialog names the service, counts the
/// seconds and offers Cancel, which ends the exchange at once as a failure.
/// A failure shows in the failure line. While it waits the window's timers
/// and posted events run; the control is in the middle of a command then,
/// so nothing run from them may call into the control (a host's own timers
/// included) other than to read it.
class WindowServiceActivity : public platform::ServiceActivity {
    Q_DECLARE_TR_FUNCTIONS(WindowServiceActivity)

public:
    std::function<void(const QString&)> report;
    /// How long an exchange runs before the dialog shows.
    std::chrono::milliseconds dialogAfter{300};

    void exchangeStarted(std::string_view service) override;
    void exchangeEnded() override;
    void exchangeFailed(std::string_view what) override;
    void wait(std::string_view service, const std::function<void()>& exchange) override;

    /// What the dialog says while the service is asked.
    static QString askingText(std::string_view service);
};

} // namespace zelt::qt
