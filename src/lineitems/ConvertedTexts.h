#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelt {

/// The results of one conversion (a date shown, a unit code, a currency id)
/// for the texts a pass over an order met lately. Such texts repeat across
/// the lines: each is converted once while it keeps its place in a small
/// table by its hash, one text a place, so the table never grows with the
/// order however many distinct texts it holds.
class ConvertedTexts {
public:
    /// What `convert(text)` gives, converted only when the table does not
    /// hold it. A conversion that throws leaves the table as it was.
    template <typename Convert>
    const std::string& get(std::string_view text, Convert&& convert)
    {
        if (places_.empty()) places_.resize(kPlaces);
        Place& place = places_[hash(text) & (kPlaces - 1)];
        if (!place.filled || !same(place.text, text)) {
            std::string shown = convert(text);
            place.text.assign(text);
            place.shown = std::move(shown);
            place.filled = true;
        }
        return place.shown;
    }

private:
    struct Place {
        std::string text, shown;
        bool filled = false;
    };
    static constexpr std::size_t kPlaces = 4096; // every day of several years

    // FNV-1a: the texts are short.
    static std::uint32_t hash(std::string_view text) noexcept
    {
        std::uint32_t h = 2166136261u;
        for (char ch : text) h = (h ^ static_cast<unsigned char>(ch)) * 16777619u;
        return h;
    }
    /// Equality of two short texts without a call to memcmp for each.
    static bool same(std::string_view a, std::string_view b) noexcept;

    std::vector<Place> places_;
};

} // namespace zelt
