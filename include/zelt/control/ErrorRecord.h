#pragma once

#include <cstdint>
#include <string>

namespace zelt {

/// The error record a host hands to ErrorHandlerCenter: a number, a
/// description and a source, cleared once logged.
class ErrorRecord {
public:
    /// Destroys the record.
    virtual ~ErrorRecord() = default;
    /// The error's number.
    virtual std::int32_t Number() const = 0;
    /// The error's description.
    virtual std::string Description() const = 0;
    /// Where the error arose.
    virtual std::string Source() const = 0;
    /// Empties the record; called once its entry is in the event log.
    virtual void Clear() = 0;
};

} // namespace zelt
