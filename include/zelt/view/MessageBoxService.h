#pragma once

#include <string>

namespace zelt::view {

/// The buttons of a message box.
enum class MessageBoxButtons { Ok, YesNo };
/// The icon of a message box.
enum class MessageBoxIcon { None, Information, Question };
/// The button the user pressed.
enum class MessageBoxAnswer { Ok, Yes, No };

/// One message box the control wants shown. An empty title means the
/// application's default title.
struct MessageBoxRequest {
    /// The message.
    std::string text;
    /// The title; empty for the application's.
    std::string title;
    /// OK, or Yes and No.
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    /// The icon.
    MessageBoxIcon icon = MessageBoxIcon::None;
    /// A question whose Yes gives work up opens on No: Enter keeps the work.
    bool defaultNo = false;

    /// Compares every field.
    bool operator==(const MessageBoxRequest&) const = default;
};

/// Shows message boxes and returns the user's answer. The window supplies a
/// real dialog; tests script the answers.
class MessageBoxService {
public:
    /// Destroys the service.
    virtual ~MessageBoxService() = default;
    /// Shows the box and returns the answer once the user has given it.
    virtual MessageBoxAnswer show(const MessageBoxRequest& request) = 0;
};

} // namespace zelt::view
