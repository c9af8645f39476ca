#pragma once
// Signal errors set on the simulated box and the check that the view's fit
// finds them again (offsets within 1 %, ratio within 0.02, phase within 1 degree).

#include "boxsim/BoxModel.h"
#include "signalview/SignalView.h"

#include <gtest/gtest.h>

#include <optional>

struct SignalErrorSetting {
    const char* name;
    boxsim::SignalErrors yellow;
    boxsim::SignalErrors white;
};

inline void expectFound(const std::optional<HeadFit>& fit, const boxsim::SignalErrors& set,
                        const char* head) {
    SCOPED_TRACE(head);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->offsetA, set.offsetA, 1.0);
    EXPECT_NEAR(fit->offsetB, set.offsetB, 1.0);
    EXPECT_NEAR(fit->ratio, set.ratio, 0.02);
    EXPECT_NEAR(fit->phase, set.phase, 1.0);
}
