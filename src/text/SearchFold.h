#pragma once

#include <string>
#include <string_view>

namespace zelt::text {

/// Appends the text in the form a search compares: ASCII letters in lower
/// case, the accented Latin letters of Latin-1 and Latin Extended-A as their
/// plain letters ("É" and "é" as "e", "Æ" as "ae", "ß" as "ss"), control
/// characters as spaces; every other byte as it is. A search folds both the
/// text and what is looked for, so "cafe" finds "Café" and "CAFÉ".
void appendSearchFolded(std::string_view text, std::string& out);

/// Where `needle` (not empty) first stands in `hay`, or nullptr. Compares
/// the needle's first and last bytes sixteen places at a time and the rest
/// only where both agree: several times the speed of memmem for the short
/// texts a clerk types, which gives a long search little to skip.
const char* findBytes(std::string_view hay, std::string_view needle) noexcept;

inline std::string searchFolded(std::string_view text)
{
    std::string out;
    appendSearchFolded(text, out);
    return out;
}

} // namespace zelt::text
