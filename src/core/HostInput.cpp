#include "core/HostInput.h"

#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"

#include <cmath>
#include <cstdio>

namespace zelt {

namespace {
constexpr std::size_t kQuotedChars = 40;

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t sequenceLength(unsigned char c)
{
    if (c >= 0xF0 && c < 0xF8) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC0) return 2;
    return 1;
}
} // namespace

std::string quoteInput(std::string_view value)
{
    std::string out = "\"";
    std::size_t shown = 0;
    std::size_t i = 0;
    while (i < value.size() && shown < kQuotedChars) {
        auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c == 0x7F) {
            switch (c) {
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            }
            }
            ++i;
        } else {
            std::size_t n = std::min(sequenceLength(c), value.size() - i);
            out.append(value.substr(i, n));
            i += n;
        }
        ++shown;
    }
    if (i < value.size()) out += "...";
    out += "\"";
    return out;
}

void HostInput::fail(std::optional<int> record, std::optional<int> field, std::string reason) const
{
    throw InputError(member_, record, field, std::move(reason));
}

double HostInput::number(std::string_view value, std::optional<int> record, std::optional<int> field, std::string_view what) const
{
    auto v = text::tryToNumber(value, locale_);
    if (!v) fail(record, field, std::string(what) + " " + quoteInput(value) + " is not a number");
    return *v;
}

double HostInput::amount(std::string_view value, std::optional<int> record, std::optional<int> field, std::string_view what) const
{
    double v = number(value, record, field, what);
    if (!isAmountInRange(v))
        fail(record, field, std::string(what) + " " + quoteInput(value) + " is beyond the currency range");
    return v;
}

double HostInput::inRange(double value, std::optional<int> record, std::optional<int> field, std::string_view what) const
{
    if (!isAmountInRange(value)) fail(record, field, std::string(what) + " is beyond the currency range");
    return value;
}

void HostInput::copiedAmount(std::string_view value, std::optional<int> record, std::optional<int> field, std::string_view what) const
{
    if (auto v = text::tryToNumber(value, locale_); v && !isAmountInRange(*v))
        fail(record, field, std::string(what) + " " + quoteInput(value) + " is beyond the currency range");
}

bool HostInput::flag(std::string_view value, std::optional<int> record, std::optional<int> field) const
{
    try {
        return text::toBoolean(value, locale_);
    } catch (const text::RuntimeError&) {
        fail(record, field, "the flag " + quoteInput(value) + " is neither a number nor True or False");
    }
}

} // namespace zelt
