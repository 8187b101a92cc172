#include "text/SearchFold.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zelt::text {
namespace {

// The plain letters of U+00C0 to U+017F, two characters each ("a ", "ae");
// "  " keeps the character as it is (the multiplication and division signs).
constexpr std::string_view kLatinFolds =
    // U+00C0 À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
    "a a a a a a aec e e e e i i i i "
    // U+00D0 Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    "d n o o o o o   o u u u u y thss"
    // U+00E0 à á â ã ä å æ ç è é ê ë ì í î ï
    "a a a a a a aec e e e e i i i i "
    // U+00F0 ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
    "d n o o o o o   o u u u u y thy "
    // U+0100 Ā ā Ă ă Ą ą Ć ć Ĉ ĉ Ċ ċ Č č Ď ď
    "a a a a a a c c c c c c c c d d "
    // U+0110 Đ đ Ē ē Ĕ ĕ Ė ė Ę ę Ě ě Ĝ ĝ Ğ ğ
    "d d e e e e e e e e e e g g g g "
    // U+0120 Ġ ġ Ģ ģ Ĥ ĥ Ħ ħ Ĩ ĩ Ī ī Ĭ ĭ Į į
    "g g g g h h h h i i i i i i i i "
    // U+0130 İ ı Ĳ ĳ Ĵ ĵ Ķ ķ ĸ Ĺ ĺ Ļ ļ Ľ ľ Ŀ
    "i i ijijj j k k k l l l l l l l "
    // U+0140 ŀ Ł ł Ń ń Ņ ņ Ň ň ŉ Ŋ ŋ Ō ō Ŏ ŏ
    "l l l n n n n n n n n n o o o o "
    // U+0150 Ő ő Œ œ Ŕ ŕ Ŗ ŗ Ř ř Ś ś Ŝ ŝ Ş ş
    "o o oeoer r r r r r s s s s s s "
    // U+0160 Š š Ţ ţ Ť ť Ŧ ŧ Ũ ũ Ū ū Ŭ ŭ Ů ů
    "s s t t t t t t u u u u u u u u "
    // U+0170 Ű ű Ų ų Ŵ ŵ Ŷ ŷ Ÿ Ź ź Ż ż Ž ž ſ
    "u u u u w w y y y z z z z z z s ";
static_assert(kLatinFolds.size() == 2 * (0x180 - 0xC0));

constexpr std::array<char, 128> kAsciiFolds = [] {
    std::array<char, 128> folds{};
    for (int c = 0; c < 128; ++c)
        folds[static_cast<std::size_t>(c)] = c < 0x20 || c == 0x7F ? ' '
                                             : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a')
                                                                    : static_cast<char>(c);
    return folds;
}();

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

} // namespace

void appendSearchFolded(std::string_view text, std::string& out)
{
    // A folded text is never longer than the text: write in place, then trim.
    const std::size_t n = text.size();
    const std::size_t base = out.size();
    out.resize(base + n);
    char* w = out.data() + base;
    for (std::size_t i = 0; i < n;) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            *w++ = kAsciiFolds[c];
            ++i;
            continue;
        }
        // U+00C0 to U+017F are the two-byte sequences C3 80 to C5 BF.
        if (c >= 0xC3 && c <= 0xC5 && i + 1 < n && isContinuation(static_cast<unsigned char>(text[i + 1]))) {
            const unsigned code = ((c & 0x1Fu) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu)) - 0xC0u;
            const std::string_view fold = kLatinFolds.substr(code * 2, 2);
            if (fold[0] != ' ') {
                *w++ = fold[0];
                if (fold[1] != ' ') *w++ = fold[1];
            } else {
                *w++ = text[i];
                *w++ = text[i + 1];
            }
            i += 2;
            continue;
        }
        *w++ = static_cast<char>(c);
        ++i;
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
}

const char* findBytes(std::string_view hay, std::string_view needle) noexcept
{
    const char* s = hay.data();
    const std::size_t len = hay.size();
    const std::size_t n = needle.size();
    if (n > len) return nullptr;
    if (n == 1) return static_cast<const char*>(std::memchr(s, needle[0], len));
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i last = _mm_set1_epi8(needle[n - 1]);
    for (; i + n - 1 + 16 <= len; i += 16) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + n - 1));
        auto both = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(first, atFirst), _mm_cmpeq_epi8(last, atLast))));
        for (; both != 0; both &= both - 1) {
            const auto at = static_cast<std::size_t>(__builtin_ctz(both));
            if (std::memcmp(s + i + at + 1, needle.data() + 1, n - 2) == 0) return s + i + at;
        }
    }
#endif
    return static_cast<const char*>(memmem(s + i, len - i, needle.data(), n));
}

} // namespace zelt::text
