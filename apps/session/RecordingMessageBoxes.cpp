#include "RecordingMessageBoxes.h"

namespace zelt::session {

view::MessageBoxAnswer RecordingMessageBoxes::show(const view::MessageBoxRequest& request)
{
    const view::MessageBoxAnswer answer = inner_->show(request);
    if (Answered) Answered(request, answer);
    return answer;
}

} // namespace zelt::session
