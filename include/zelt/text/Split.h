#pragma once

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

/// Reads records and their fields in one pass over the text: the same pieces
/// as splitRecords followed by split of each record, without scanning the
/// text twice. Used where whole orders are read.
class RecordReader {
public:
    RecordReader(std::string_view text, std::string_view recordSeparator, std::string_view fieldSeparator);

    /// The fields of the next record (none for an empty record); false once no
    /// record followed by the record separator is left.
    bool next(std::vector<std::string_view>& fields);

private:
    std::string_view text_;
    std::string_view recordSep_;
    std::string_view fieldSep_;
    std::size_t pos_ = 0;
    bool onePass_;
};

} // namespace zelt::text
