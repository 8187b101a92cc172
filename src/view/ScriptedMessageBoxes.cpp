#include "zelt/view/ScriptedMessageBoxes.h"

namespace zelt::view {

MessageBoxAnswer ScriptedMessageBoxes::show(const MessageBoxRequest& request)
{
    shown_.push_back(request);
    if (!script_.empty()) {
        MessageBoxAnswer answer = script_.front();
        script_.pop_front();
        return answer;
    }
    return request.buttons == MessageBoxButtons::YesNo ? MessageBoxAnswer::No : MessageBoxAnswer::Ok;
}

} // namespace zelt::view
