#include "zelt/platform/ServiceActivity.h"

namespace zelt::platform {

namespace {
thread_local const std::atomic<bool>* cancelFlag = nullptr;
}

bool ServiceActivity::cancelRequested() noexcept { return cancelFlag && cancelFlag->load(std::memory_order_relaxed); }

ServiceActivity::CancelScope::CancelScope(const std::atomic<bool>& flag) noexcept : previous_(cancelFlag)
{
    cancelFlag = &flag;
}

ServiceActivity::CancelScope::~CancelScope() { cancelFlag = previous_; }

} // namespace zelt::platform
