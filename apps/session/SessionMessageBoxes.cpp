#include "SessionMessageBoxes.h"

#include "ScriptLexer.h"

#include <utility>

namespace zelt::session {

view::MessageBoxAnswer SessionMessageBoxes::show(const view::MessageBoxRequest& request)
{
    const bool scripted = !queued_.empty();
    if (scripted) {
        answerNext(queued_.front());
        queued_.pop_front();
    }
    const view::MessageBoxAnswer answer = ScriptedMessageBoxes::show(request);
    out_ << "  message box " << ScriptLexer::quote(request.text);
    if (!request.title.empty()) out_ << " titled " << ScriptLexer::quote(request.title);
    const bool question = request.buttons == view::MessageBoxButtons::YesNo;
    out_ << ": " << name(answer) << (question && !scripted ? " (no answer given: the one that changes nothing)" : "") << "\n";
    return answer;
}

void SessionMessageBoxes::endStep()
{
    for (view::MessageBoxAnswer a : queued_) out_ << "  note: no message box asked for the answer " << name(a) << "\n";
    queued_.clear();
}

namespace {
constexpr std::pair<view::MessageBoxAnswer, const char*> kAnswers[] = {
    {view::MessageBoxAnswer::Yes, "Yes"}, {view::MessageBoxAnswer::No, "No"}, {view::MessageBoxAnswer::Ok, "Ok"}};
}

const char* SessionMessageBoxes::name(view::MessageBoxAnswer answer)
{
    for (auto [a, name] : kAnswers)
        if (a == answer) return name;
    return "?";
}

std::optional<view::MessageBoxAnswer> SessionMessageBoxes::parse(std::string_view word)
{
    for (auto [a, name] : kAnswers)
        if (word == name) return a;
    return std::nullopt;
}

std::vector<std::string> SessionMessageBoxes::words()
{
    std::vector<std::string> out;
    for (auto [a, name] : kAnswers) out.emplace_back(name);
    return out;
}

} // namespace zelt::session
