#pragma once

#include "zelt/platform/EventLog.h"

#include <string>
#include <vector>

namespace zelt::platform {

/// Keeps the entries in memory: for tests and hosts that show the log themselves.
class MemoryEventLog : public EventLog {
public:
    void write(std::string_view entry) override { entries_.emplace_back(entry); }
    const std::vector<std::string>& entries() const noexcept { return entries_; }

private:
    std::vector<std::string> entries_;
};

} // namespace zelt::platform
