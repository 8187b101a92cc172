#pragma once

#include <string_view>

namespace zelt {

/// The host's property store: told when a persisted property changes
/// ("Mode" and "Country").
class HostSite {
public:
    /// Destroys the site.
    virtual ~HostSite() = default;
    /// The persisted property changed: "Mode" (setViewMode) or "Country"
    /// (CountryID). Called synchronously; the host reads the new value back.
    virtual void PropertyChanged(std::string_view propertyName) = 0;
};

} // namespace zelt
