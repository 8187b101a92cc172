#include "zelt/platform/Clock.h"

#include <ctime>

namespace zelt::platform {

text::Date SystemClock::today() const
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return text::Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace zelt::platform
