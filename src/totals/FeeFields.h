#pragma once

namespace zelt {

struct ControlContext;
struct FeeOverride;
class TotalsRecalculation;

/// The fee boxes and their "Over Ridden" boxes: the key filter, the change,
/// key-up and lost-focus rules, and the override handling.
class FeeFields {
public:
    FeeFields(ControlContext& ctx, TotalsRecalculation& totals) : ctx_(ctx), totals_(totals) {}

    /// Installs the handlers on the form's fee and override boxes.
    void bind();

    void txtFee_KeyPress(int index, int& key);
    void txtFee_Change(int index);
    void txtFee_KeyUp(int index);
    void txtFee_LostFocus(int index);
    /// The handling shared by the seven override boxes.
    void overrideClicked(const FeeOverride& pair);

private:
    ControlContext& ctx_;
    TotalsRecalculation& totals_;
};

} // namespace zelt
