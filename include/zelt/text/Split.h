#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace zelt::text {

/// Cuts a text at every separator, keeping empty pieces ("a$F$$F$b" gives
/// three). The empty text gives no piece at all.
std::vector<std::string_view> split(std::string_view text, std::string_view separator);
/// The same into a vector the caller reuses (cleared first).
void splitInto(std::string_view text, std::string_view separator, std::vector<std::string_view>& pieces);

/// Cuts a text into records: every record is followed by the separator, so
/// the piece after the last separator is dropped ("a$R$b" gives only "a").
std::vector<std::string_view> splitRecords(std::string_view text, std::string_view separator);

/// A place at or after `from` where the text can be cut in two so that the
/// records of both parts are those of the whole: the end of the first
/// record separator from there that no earlier occurrence overlaps (reading
/// from the start reaches it). 0 when there is none before the text's end
/// within a few tries. Lets a large order be read in parts.
std::size_t recordBoundaryFrom(std::string_view text, std::string_view separator, std::size_t from);

/// True when a cell written before a field separator would read back cut
/// short: a field or record separator would start inside the cell ("0$F"
/// followed by "$F$"). A cell holding a whole separator is such a cell too.
bool separatorStartsWithin(std::string_view cell, std::string_view fieldSeparator, std::string_view recordSeparator);

/// Reads records and their fields in one pass over the text: the same pieces
/// as splitRecords followed by split of each record, without scanning the
/// text twice. Used where whole orders are read.
class RecordReader {
public:
    /// A reader of `text`; the text and separators must outlive it.
    RecordReader(std::string_view text, std::string_view recordSeparator, std::string_view fieldSeparator);

    /// The fields of the next record (none for an empty record); false once no
    /// record followed by the record separator is left.
    bool next(std::vector<std::string_view>& fields);

private:
    /// A separator of up to eight characters as one word and the mask of its
    /// bytes: one comparison tells whether it starts at a place.
    struct Pattern {
        std::uint64_t word = 0;
        std::uint64_t mask = 0;
        bool fits = false;
    };
    static Pattern patternOf(std::string_view separator) noexcept;
    bool matches(std::size_t at, std::string_view separator, const Pattern& pattern) const noexcept;

    std::string_view text_;
    std::string_view recordSep_;
    std::string_view fieldSep_;
    std::size_t pos_ = 0;
    bool onePass_;
    Pattern record_;
    Pattern field_;
    // Places inside the field separator holding the lead character, where a
    // record separator could start first.
    std::vector<std::size_t> cutPlaces_;
};

// Called at every occurrence of a separator's lead character: inline.
inline bool RecordReader::matches(std::size_t at, std::string_view separator, const Pattern& pattern) const noexcept
{
    const char* data = text_.data();
    const std::size_t size = text_.size();
    if (pattern.fits && size - at >= sizeof pattern.word) {
        // Eight bytes read at once (the text goes on that far), the
        // separator's own bytes compared.
        std::uint64_t word;
        std::memcpy(&word, data + at, sizeof word);
        return (word & pattern.mask) == pattern.word;
    }
    if (separator.size() > size - at) return false;
    for (std::size_t k = 0; k < separator.size(); ++k)
        if (data[at + k] != separator[k]) return false;
    return true;
}

} // namespace zelt::text
