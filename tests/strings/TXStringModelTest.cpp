// Random sequences of edits on a TXString, step by step against the model
// (TXStringSteps.h): text, Pascal length byte, C terminator and the growth
// rule after every step. The strings fuzzer runs the same steps from its
// input.
#include <gtest/gtest.h>

#include "TXStringSteps.h"

namespace {

class TXStringRandomEdits : public ::testing::TestWithParam<uint32_t> {};

TEST_P(TXStringRandomEdits, FollowTheModelStepByStep) {
    DebugCapture capture;  // the reports of out-of-range arguments and long formats
    TRandomChoices choices(GetParam());
    TXString s;
    TModel model;
    for (int stepIndex = 0; stepIndex < 400; ++stepIndex) {
        const TStep step = TXStringStep(choices, s, model);
        ASSERT_EQ(step.mismatch, "") << "step " << stepIndex << ": " << step.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TXStringRandomEdits, ::testing::Range<uint32_t>(1, 41));

}  // namespace
