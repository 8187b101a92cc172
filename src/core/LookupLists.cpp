#include "core/LookupLists.h"

#include "zelt/text/NumberText.h"

namespace zelt {

namespace {
const std::string kEmpty;
}

const std::string& LookupLists::displayText(const Entry& e) { return e.empty() ? kEmpty : e[0]; }
const std::string& LookupLists::code(const Entry& e) { return e.size() < 2 ? kEmpty : e[1]; }

bool LookupLists::codeIs(const Entry& e, int n, const text::Locale& locale)
{
    auto v = text::tryToNumber(code(e), locale);
    return v && *v == n;
}


std::string LookupLists::unitCodeToDisplay(std::string_view cell) const
{
    std::string text(cell);
    for (const Entry& e : unitList)
        if (code(e) == text) text = displayText(e);
    return text;
}

std::string LookupLists::unitDisplayToCode(std::string_view cell) const
{
    std::string text(cell);
    for (const Entry& e : unitList)
        if (displayText(e) == text) text = code(e);
    return text;
}

std::optional<std::string> LookupLists::displayForCode(const std::vector<Entry>& list, std::string_view c) const
{
    for (const Entry& e : list)
        if (code(e) == c) return displayText(e);
    return std::nullopt;
}

std::optional<std::string> LookupLists::codeForDisplay(const std::vector<Entry>& list, std::string_view display) const
{
    for (const Entry& e : list)
        if (displayText(e) == display) return code(e);
    return std::nullopt;
}

} // namespace zelt
