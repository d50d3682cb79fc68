// The window runs a script line by line: the stepped run ends as the whole
// run does, transcript and status alike.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "workbench/Runner.h"

namespace {

workbench::Script Example(const char* name) {
    std::ifstream in(std::string(MOVEDUP_EXAMPLES_DIR) + "/" + name);
    return workbench::ReadScript(in, name);
}

TEST(SteppedRun, EndsWithTheSameTranscriptAndStatusAsTheWholeRun) {
    workbench::RunOptions options;
    options.plugin = MOVEDUP_PLUGIN_PATH;
    for (const char* name : {"copies-along-span.session", "count-dialog.session", "path.session"}) {
        const workbench::Script script = Example(name);
        ASSERT_FALSE(script.lines.empty()) << name;
        std::ostringstream whole, stepped;
        workbench::Runner a(whole), b(stepped);
        const int status = a.Run(script, options);
        b.Begin(script, options);
        for (const workbench::Line& line : script.lines) b.RunLine(line);
        EXPECT_EQ(b.End(), status) << name;
        EXPECT_EQ(stepped.str(), whole.str()) << name;

        std::ostringstream summary;
        workbench::WriteSummary(summary, b.Host());
        EXPECT_NE(whole.str().find(summary.str()), std::string::npos) << name;
    }
}

}  // namespace
