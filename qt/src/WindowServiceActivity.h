#pragma once

#include <zelt/platform/ServiceActivity.h>

#include <QString>

#include <functional>

namespace zelt::qt {

/// The control's web exchanges in the window: a busy cursor while one runs,
/// the failure line when one fails.
class WindowServiceActivity : public platform::ServiceActivity {
public:
    std::function<void(const QString&)> report;
    void exchangeStarted(std::string_view service) override;
    void exchangeEnded() override;
    void exchangeFailed(std::string_view what) override;
};

} // namespace zelt::qt
