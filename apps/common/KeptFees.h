#pragma once

#include "SavedOrder.h"

#include <optional>
#include <string>

namespace zelt::demo {

/// The saved fees of an order while a mode shows only some of them: Add Mode
/// shows none, Line Cancel Mode only the overridden ones. Read back in such
/// a mode, the order would lose the others, so the fees of the last mode that
/// showed them all are kept and stand in for them.
class KeptFees {
public:
    static bool showsAllFees(Mode mode) { return mode != Mode::AddMode && mode != Mode::LineCancelMode; }

    /// The order `saved` was read back in `shown`: where that mode hides
    /// fees, the kept ones take their place; otherwise they are kept.
    void readBack(SavedOrder& saved, Mode shown)
    {
        if (!showsAllFees(shown) && kept_) saved.fees = *kept_;
        else kept_ = saved.fees;
    }
    /// An order opened afresh in `mode` from `saved`.
    void opened(const SavedOrder& saved, Mode mode)
    {
        kept_.reset();
        if (!showsAllFees(mode)) kept_ = saved.fees;
    }
    /// An order opened from elsewhere (the sample): nothing kept yet.
    void reset() { kept_.reset(); }

private:
    std::optional<std::string> kept_;
};

} // namespace zelt::demo
