#include "core/CommandRollback.h"

#include "core/ControlContext.h"
#include "zelt/view/OptionButton.h"

#include <utility>

namespace zelt {

CommandRollback::CommandRollback(ControlContext& ctx) : ctx_(ctx), state_(ctx.state)
{
    widgets_.reserve(ctx_.form.widgets().size());
    for (const view::Widget* w : ctx_.form.widgets()) {
        const bool isText = w->kind() == view::WidgetKind::TextBox;
        const bool isOption = w->kind() == view::WidgetKind::OptionButton;
        widgets_.push_back({isText ? static_cast<const view::TextBox*>(w)->text() : std::string(), w->caption(),
                            w->visible(), isOption && static_cast<const view::OptionButton*>(w)->value()});
    }
    view::Grid& grid = ctx_.grid();
    outer_ = grid.journal();
    grid.setJournal(&journal_);
}

CommandRollback::~CommandRollback()
{
    if (open_) commit();
}

void CommandRollback::endJournal(bool keepChanges)
{
    view::Grid& grid = ctx_.grid();
    grid.setJournal(outer_);
    if (!keepChanges) {
        grid.undo(journal_); // recorded in the outer journal, if any: the net change is none
    } else if (outer_) {
        for (auto& entry : journal_.entries) outer_->entries.push_back(std::move(entry));
    }
    journal_.entries.clear();
    open_ = false;
}

void CommandRollback::commit()
{
    if (open_) endJournal(true);
}

void CommandRollback::restore()
{
    if (!open_) return;
    endJournal(false);
    // Each widget's handler is set aside while its value is put back.
    const auto quietly = [](auto& handler, auto put) {
        auto kept = std::move(handler);
        handler = nullptr;
        put();
        handler = std::move(kept);
    };
    std::size_t i = 0;
    for (view::Widget* w : ctx_.form.widgets()) {
        WidgetState& before = widgets_[i++];
        if (w->kind() == view::WidgetKind::TextBox) {
            auto& box = *static_cast<view::TextBox*>(w);
            if (box.text() != before.text) quietly(box.Change, [&] { box.setText(std::move(before.text)); });
        } else if (w->kind() == view::WidgetKind::OptionButton) {
            auto& option = *static_cast<view::OptionButton*>(w);
            if (before.chosen && !option.value()) quietly(option.Click, [&] { option.setValue(true); });
        }
        w->setCaption(std::move(before.caption));
        w->setVisible(before.visible);
    }
    std::string failure = std::move(ctx_.state.lastServiceFailure);
    ctx_.state = std::move(state_);
    ctx_.state.lastServiceFailure = std::move(failure);
}

} // namespace zelt
