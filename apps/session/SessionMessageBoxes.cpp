#include "SessionMessageBoxes.h"

#include "ScriptLexer.h"

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

const char* SessionMessageBoxes::name(view::MessageBoxAnswer answer)
{
    switch (answer) {
    case view::MessageBoxAnswer::Ok: return "Ok";
    case view::MessageBoxAnswer::Yes: return "Yes";
    case view::MessageBoxAnswer::No: return "No";
    }
    return "?";
}

} // namespace zelt::session
