#pragma once

#include "DemoWindow.h"

#include <zelt/view/ScriptedMessageBoxes.h>

#include <string>

namespace zelt::demo {

/// Message boxes of a session nobody watches: answered, written to the log
/// and printed, so the session shows what the control said.
class LoggedMessageBoxes : public view::ScriptedMessageBoxes {
public:
    DemoWindow* window = nullptr;
    view::MessageBoxAnswer show(const view::MessageBoxRequest& request) override;
};

/// A short session as a clerk would work, printed step by step: add a line,
/// edit one, switch modes on the order as it stands, delete one, calculate
/// taxes and fees, override one tax, export; then a screenshot and the order
/// summary.
class ScriptedSession {
public:
    ScriptedSession(DemoWindow& window, LoggedMessageBoxes& boxes);
    /// Runs every step; returns the program's exit status.
    int run(const std::string& screenshot);

private:
    void say(const std::string& what);
    /// After a click that writes a line: true when it was written, otherwise
    /// says what the clerk was told and closes the line.
    bool written(const char* step);
    void addLine();
    void editLine();
    void switchModes();
    void deleteLine();
    void calculate();
    void overrideProvinceTax();
    /// The tax of one result line, as TaxDataXML gives it.
    std::string lineTax(int row) const;

    DemoWindow& window_;
    LoggedMessageBoxes& boxes_;
    OrderedItems& control_;
    view::Form& form_;
    view::Grid& grid_;
    std::string point_;
};

} // namespace zelt::demo
