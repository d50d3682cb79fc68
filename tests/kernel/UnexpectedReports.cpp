// Outside a DebugCapture a report is a fault of the code under test: it
// fails the test that made it, is answered as nobody would answer it, and
// so never asks for a break into the debugger. (On Windows the real message
// box would otherwise answer with its default button, which asks for one.)
#include <gtest/gtest.h>

#include "platform/DebugChannel.h"

namespace {

const char* Text(const char* sz) { return sz != nullptr ? sz : "<null>"; }

class UnexpectedReports : public ks::platform::TDebugHook, public ::testing::Environment {
public:
    void SetUp() override { fPrevious = ks::platform::SetDebugHook(this); }
    void TearDown() override { ks::platform::SetDebugHook(fPrevious); }

    void Output(const char* szText) override { ADD_FAILURE() << "debug output outside a capture: " << Text(szText); }
    int32_t AnswerMessageBox(ks::platform::WindowRef, const char* szText, const char* szCaption,
                             uint32_t style) override {
        ADD_FAILURE() << "message box outside a capture: " << Text(szCaption) << ": " << Text(szText);
        return ks::platform::UnattendedAnswer(style);
    }

private:
    ks::platform::TDebugHook* fPrevious = nullptr;
};

[[maybe_unused]] ::testing::Environment* const gUnexpectedReports =
    ::testing::AddGlobalTestEnvironment(new UnexpectedReports);

}  // namespace
