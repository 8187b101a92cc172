#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace zelt::testing {

/// The exception of type E the call throws, or nothing when it throws none.
template <class E, class F> std::optional<E> caught(F&& call)
{
    try {
        call();
    } catch (const E& e) {
        return e;
    }
    return std::nullopt;
}

/// Whether the call throws an E whose message holds `part`; a failure says
/// what was thrown instead.
template <class E, class F> ::testing::AssertionResult throwsWith(F&& call, std::string_view part)
{
    try {
        call();
    } catch (const E& e) {
        if (std::string_view(e.what()).find(part) != std::string_view::npos) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "threw \"" << e.what() << "\", which lacks \"" << part << "\"";
    }
    return ::testing::AssertionFailure() << "threw nothing";
}

} // namespace zelt::testing
