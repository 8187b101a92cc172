#pragma once

#include "zelt/platform/EventLog.h"

#include <string>
#include <vector>

namespace zelt::platform {

/// Keeps the entries in memory: for tests and hosts that show the log themselves.
class MemoryEventLog : public EventLog {
public:
    /// Keeps the entry.
    void write(std::string_view entry) override { entries_.emplace_back(entry); }
    /// Every entry written, oldest first.
    const std::vector<std::string>& entries() const noexcept { return entries_; }

private:
    std::vector<std::string> entries_;
};

} // namespace zelt::platform
