#pragma once

#include <string_view>

namespace zelt {

/// The host's property store: told when a persisted property changes
/// ("Mode" and "Country").
class HostSite {
public:
    virtual ~HostSite() = default;
    virtual void PropertyChanged(std::string_view propertyName) = 0;
};

} // namespace zelt
