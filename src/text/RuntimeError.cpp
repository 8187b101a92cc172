#include "zelt/text/RuntimeError.h"
#include "zelt/InputError.h"

#include <utility>

namespace zelt {

namespace {
std::string describe(const std::string& member, std::optional<int> record, std::optional<int> field,
                     const std::string& reason)
{
    std::string text = member;
    if (record) text += ": record " + std::to_string(*record);
    if (field) text += (record ? ", field " : ": field ") + std::to_string(*field);
    text += ": " + reason;
    return text;
}
} // namespace

InputError::InputError(std::string member, std::optional<int> record, std::optional<int> field,
                       std::string reason)
    : Error(describe(member, record, field, reason)), member_(std::move(member)), record_(record),
      field_(field), reason_(std::move(reason))
{
}

namespace text {

RuntimeError::RuntimeError(int number, std::string description)
    : Error(description), number_(number), description_(std::move(description))
{
}

RuntimeError RuntimeError::invalidProcedureCall() { return {5, "Invalid procedure call or argument"}; }
RuntimeError RuntimeError::overflow() { return {6, "Overflow"}; }
RuntimeError RuntimeError::subscriptOutOfRange() { return {9, "Subscript out of range"}; }
RuntimeError RuntimeError::divisionByZero() { return {11, "Division by zero"}; }
RuntimeError RuntimeError::typeMismatch() { return {13, "Type mismatch"}; }
RuntimeError RuntimeError::invalidUseOfNull() { return {94, "Invalid use of Null"}; }

} // namespace text
} // namespace zelt
