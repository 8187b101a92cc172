#include "zelt/text/Split.h"

#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstring>

namespace zelt::text {

namespace {

// Position of the separator at or after `from`, or npos. Looks for the first
// character with memchr and compares the rest in place: separators are short.
std::size_t findSeparator(std::string_view text, std::string_view separator, std::size_t from) noexcept
{
    const char first = separator.front();
    const std::size_t rest = separator.size() - 1;
    const char* data = text.data();
    const std::size_t size = text.size();
    while (from + rest < size) {
        const void* hit = std::memchr(data + from, first, size - rest - from);
        if (!hit) return std::string_view::npos;
        std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        std::size_t k = 0;
        while (k < rest && data[at + 1 + k] == separator[1 + k]) ++k;
        if (k == rest) return at;
        from = at + 1;
    }
    return std::string_view::npos;
}

} // namespace

void splitInto(std::string_view text, std::string_view separator, std::vector<std::string_view>& pieces)
{
    pieces.clear();
    if (text.empty()) return;
    if (separator.empty()) {
        pieces.push_back(text);
        return;
    }
    std::size_t start = 0;
    for (;;) {
        std::size_t at = findSeparator(text, separator, start);
        if (at == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> pieces;
    splitInto(text, separator, pieces);
    return pieces;
}

RecordReader::RecordReader(std::string_view text, std::string_view recordSeparator, std::string_view fieldSeparator)
    : text_(text), recordSep_(recordSeparator), fieldSep_(fieldSeparator),
      onePass_(!recordSeparator.empty() && !fieldSeparator.empty() && recordSeparator[0] == fieldSeparator[0]),
      record_(patternOf(recordSeparator)), field_(patternOf(fieldSeparator))
{
    for (std::size_t k = 1; k < fieldSep_.size(); ++k)
        if (onePass_ && fieldSep_[k] == recordSep_[0]) cutPlaces_.push_back(k);
}

RecordReader::Pattern RecordReader::patternOf(std::string_view separator) noexcept
{
    Pattern p;
    if (separator.size() > sizeof p.word) return p;
    std::memcpy(&p.word, separator.data(), separator.size());
    unsigned char mask[sizeof p.mask] = {};
    std::memset(mask, 0xFF, separator.size());
    std::memcpy(&p.mask, mask, sizeof mask);
    p.fits = true;
    return p;
}

namespace {

// The first place at or after `from` holding `byte`, or `size`. Fields are
// short: sixteen bytes compared at once, inline, find most separators in the
// first step, where a memchr call per field costs more than its search.
inline std::size_t findByte(const char* data, std::size_t size, std::size_t from, char byte) noexcept
{
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi8(byte);
    for (; from + 16 <= size; from += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, needle)));
        if (mask != 0) return from + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    const void* hit = from < size ? std::memchr(data + from, byte, size - from) : nullptr;
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : size;
}

} // namespace

bool RecordReader::next(std::vector<std::string_view>& fields)
{
    fields.clear();
    if (recordSep_.empty()) return false;
    if (!onePass_) {
        std::size_t end = findSeparator(text_, recordSep_, pos_);
        if (end == std::string_view::npos) return false;
        splitInto(text_.substr(pos_, end - pos_), fieldSep_, fields);
        pos_ = end + recordSep_.size();
        return true;
    }
    // Both separators start with the same character: visit each occurrence of
    // it once. A record separator ends the record; a field separator counts
    // only when no record separator starts inside it (the record would end
    // there first).
    const char lead = recordSep_[0];
    const char* data = text_.data();
    const std::size_t size = text_.size();
    const std::size_t start = pos_;
    std::size_t fieldStart = pos_;
    std::size_t i = pos_;
    while (i < size) {
        i = findByte(data, size, i, lead);
        if (i == size) break;
        if (matches(i, recordSep_, record_)) {
            if (i > start || !fields.empty()) fields.emplace_back(data + fieldStart, i - fieldStart);
            pos_ = i + recordSep_.size();
            return true;
        }
        if (matches(i, fieldSep_, field_)) {
            bool cut = false;
            for (std::size_t k : cutPlaces_) cut = cut || matches(i + k, recordSep_, record_);
            if (!cut) {
                fields.emplace_back(data + fieldStart, i - fieldStart);
                i += fieldSep_.size();
                fieldStart = i;
                continue;
            }
        }
        ++i;
    }
    fields.clear();
    return false;
}

std::size_t recordBoundaryFrom(std::string_view text, std::string_view separator, std::size_t from)
{
    const std::size_t n = separator.size();
    if (n == 0) return 0;
    for (int tries = 0; tries < 64; ++tries) {
        const std::size_t at = text.find(separator, from);
        if (at == std::string_view::npos) return 0;
        // An occurrence starting less than a separator before this one would
        // be read first and swallow its start.
        bool overlapped = false;
        for (std::size_t k = 1; k < n && k <= at && !overlapped; ++k) overlapped = text.substr(at - k, n) == separator;
        if (!overlapped) return at + n < text.size() ? at + n : 0;
        from = at + 1;
    }
    return 0;
}

std::vector<std::string_view> splitRecords(std::string_view text, std::string_view separator)
{
    auto pieces = split(text, separator);
    if (!pieces.empty()) pieces.pop_back();
    return pieces;
}

bool separatorStartsWithin(std::string_view cell, std::string_view fieldSeparator, std::string_view recordSeparator)
{
    if (cell.empty()) return false;
    std::string joined(cell);
    joined += fieldSeparator;
    for (std::string_view separator : {fieldSeparator, recordSeparator})
        if (!separator.empty() && joined.find(separator) < cell.size()) return true;
    return false;
}

} // namespace zelt::text
