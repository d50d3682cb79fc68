// The main of every test program.
//
// On Windows GoogleTest's own printer hands each failure and skip to
// OutputDebugStringA as well as to the console. That call raises an exception
// that the system catches again; where 32-bit code runs through an emulator
// that dispatch fails and the process dies at its first failure, so the
// cases after it never run. There the console printer below takes its place:
// the same lines, without the debugger channel.
//
// A program in which no test ran fails: a filter that selects nothing must
// not read as a green suite.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

#if defined(_WIN32)
class TConsolePrinter : public ::testing::EmptyTestEventListener {
public:
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.type() == ::testing::TestPartResult::kSuccess) return;
        const char* kind = result.type() == ::testing::TestPartResult::kSkip ? "Skipped" : "Failure";
        if (result.file_name() != nullptr)
            std::printf("%s:%d: %s\n%s\n", result.file_name(), result.line_number(), kind, result.message());
        else
            std::printf("%s\n%s\n", kind, result.message());
        std::fflush(stdout);
    }

    void OnTestEnd(const ::testing::TestInfo& test) override {
        const ::testing::TestResult& result = *test.result();
        if (result.Failed()) {
            fFailed.push_back(Name(test));
            std::printf("[  FAILED  ] %s (%lld ms)\n", fFailed.back().c_str(),
                        static_cast<long long>(result.elapsed_time()));
        } else if (result.Skipped()) {
            std::printf("[  SKIPPED ] %s\n", Name(test).c_str());
        }
        std::fflush(stdout);
    }

    void OnTestProgramEnd(const ::testing::UnitTest& unit) override {
        std::printf("[==========] %d tests from %d test suites ran. (%lld ms total)\n", unit.test_to_run_count(),
                    unit.test_suite_to_run_count(), static_cast<long long>(unit.elapsed_time()));
        std::printf("[  PASSED  ] %d tests.\n", unit.successful_test_count());
        if (unit.skipped_test_count() > 0) std::printf("[  SKIPPED ] %d tests.\n", unit.skipped_test_count());
        if (!fFailed.empty()) {
            std::printf("[  FAILED  ] %zu tests, listed below:\n", fFailed.size());
            for (const std::string& name : fFailed) std::printf("[  FAILED  ] %s\n", name.c_str());
        }
        std::fflush(stdout);
    }

private:
    static std::string Name(const ::testing::TestInfo& test) {
        return std::string(test.test_suite_name()) + "." + test.name();
    }

    std::vector<std::string> fFailed;
};
#endif

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#if defined(_WIN32)
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    delete listeners.Release(listeners.default_result_printer());
    listeners.Append(new TConsolePrinter);
#endif
    const int status = RUN_ALL_TESTS();
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (status == 0 && unit.test_to_run_count() == 0 && !GTEST_FLAG_GET(list_tests)) {
        std::printf("no test ran: the filter selects none of this program's %d tests\n", unit.total_test_count());
        return 1;
    }
    return status;
}
