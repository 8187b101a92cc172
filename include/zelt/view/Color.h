#pragma once

#include <compare>
#include <cstdint>

namespace zelt::view {

/// A colour as the form stores it: either a system colour role (the high bit
/// set, the low byte the role index) or a plain RGB value written blue-green-red
/// (0x00BBGGRR). The view keeps the value; the window maps it.
struct Color {
    /// The stored value.
    std::uint32_t value = 0;

    /// The bit that marks a system colour role.
    static constexpr std::uint32_t kSystemFlag = 0x80000000u;

    /// A plain colour.
    static constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        return Color{static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                     (static_cast<std::uint32_t>(b) << 16)};
    }
    /// The system colour of a role.
    static constexpr Color system(std::uint8_t role) { return Color{kSystemFlag | role}; }

    /// Window background (system colour index 5, &H80000005).
    static constexpr Color window() { return system(5); }
    /// Window text (index 8, &H80000008).
    static constexpr Color windowText() { return system(8); }
    /// Button face (index 15, &H8000000F): the grey of locked boxes and shaded cells.
    static constexpr Color buttonFace() { return system(15); }

    /// True for a system colour role.
    constexpr bool isSystem() const { return (value & kSystemFlag) != 0; }
    /// The role index of a system colour.
    constexpr std::uint8_t systemRole() const { return static_cast<std::uint8_t>(value & 0xFF); }
    /// The red part of a plain colour.
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value & 0xFF); }
    /// The green part of a plain colour.
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }
    /// The blue part of a plain colour.
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>((value >> 16) & 0xFF); }

    /// Compares the stored values.
    constexpr auto operator<=>(const Color&) const = default;
};

/// Named colours the logic uses.
namespace colors {
/// Blue: the carrier link not yet visited.
inline constexpr Color kBlue = Color{0xFF0000};   // &HFF0000
/// Red: the carrier link pressed, warnings.
inline constexpr Color kRed = Color{0x0000FF};    // &HFF
/// Purple: the carrier link visited.
inline constexpr Color kPurple = Color{0x800080}; // &H800080
} // namespace colors

} // namespace zelt::view
