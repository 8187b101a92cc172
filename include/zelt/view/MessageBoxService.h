#pragma once

#include <string>

namespace zelt::view {

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxIcon { None, Information, Question };
enum class MessageBoxAnswer { Ok, Yes, No };

/// One message box the control wants shown. An empty title means the
/// application's default title.
struct MessageBoxRequest {
    std::string text;
    std::string title;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
    /// A question whose Yes gives work up opens on No: Enter keeps the work.
    bool defaultNo = false;

    bool operator==(const MessageBoxRequest&) const = default;
};

/// Shows message boxes and returns the user's answer. The window supplies a
/// real dialog; tests script the answers.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageBoxAnswer show(const MessageBoxRequest& request) = 0;
};

} // namespace zelt::view
