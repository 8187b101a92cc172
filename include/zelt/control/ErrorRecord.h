#pragma once

#include <cstdint>
#include <string>

namespace zelt {

/// The error record a host hands to ErrorHandlerCenter: a number, a
/// description and a source, cleared once logged.
class ErrorRecord {
public:
    virtual ~ErrorRecord() = default;
    virtual std::int32_t Number() const = 0;
    virtual std::string Description() const = 0;
    virtual std::string Source() const = 0;
    virtual void Clear() = 0;
};

} // namespace zelt
