#pragma once

#include "HostMember.h"
#include "ScriptWord.h"

#include <optional>
#include <string>
#include <vector>

namespace zelt::session {

/// The members a script can let or call, in one table.
class HostMembers {
public:
    static const std::vector<HostMember>& table();
    static const HostMember* find(HostMember::Use use, std::string_view name);
    /// Why the value does not suit the member; empty when it does.
    static std::string check(const HostMember& member, const std::optional<ScriptWord>& value);
    /// The names of one use, for the help text and error messages.
    static std::string names(HostMember::Use use);
};

} // namespace zelt::session
