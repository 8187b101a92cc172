#pragma once

#include <zelt/Error.h>

/// Runs a call that may refuse its input: a refusal is a zelt::Error saying
/// why; anything else (a crash, a hang, a leak) is what the fuzzer looks for.
template <typename F>
void tolerate(F f)
{
    try {
        f();
    } catch (const zelt::Error&) {
    }
}
