#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// Runs the .vbs scripts under golden/, one folder per area. A script is plain VBScript with
// its expectations in comments:
//   '? expression ==> expected     evaluate after running what came before
//   '! expected                    what came before must fail with this outcome
// Expected outcomes are written as the tests print them: "7 (Integer)", "\"a\" (String)",
// "Empty", "#11 Division by zero". Statements between two marks run as one call.
namespace vbs::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> goldenFiles() {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(QUORVIX_VBS_GOLDEN_DIR)) {
        if (entry.is_regular_file() && entry.path().extension() == ".vbs") {
            files.push_back(fs::relative(entry.path(), QUORVIX_VBS_GOLDEN_DIR).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

class GoldenTest : public testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, MatchesTheExpectationsInItsComments) {
    std::ifstream file(fs::path(QUORVIX_VBS_GOLDEN_DIR) / GetParam(), std::ios::binary);
    ASSERT_TRUE(file) << GetParam();
    Interpreter in(quickOptions());
    std::string chunk;
    int lineNo = 0;
    int checks = 0;
    for (std::string line; std::getline(file, line);) {
        ++lineNo;
        const std::string t = trimmed(line);
        if (t.rfind("'?", 0) == 0) {
            const auto arrow = t.find("==>");
            ASSERT_NE(arrow, std::string::npos) << "line " << lineNo;
            if (!trimmed(chunk).empty()) {
                EXPECT_EQ(execText(in, chunk), "ok") << "statements before line " << lineNo;
            }
            chunk.clear();
            const std::string expression = trimmed(t.substr(2, arrow - 2));
            EXPECT_EQ(evalText(in, expression), trimmed(t.substr(arrow + 3)))
                << "line " << lineNo << ": " << expression;
            ++checks;
        } else if (t.rfind("'!", 0) == 0) {
            EXPECT_EQ(execText(in, chunk), trimmed(t.substr(2))) << "line " << lineNo;
            chunk.clear();
            ++checks;
        } else {
            chunk += line + "\n";
        }
    }
    if (!trimmed(chunk).empty()) {
        EXPECT_EQ(execText(in, chunk), "ok") << "statements at the end";
    }
    EXPECT_GT(checks, 0) << "a golden script must check something";
}

std::string fileName(const testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param) {
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, GoldenTest, testing::ValuesIn(goldenFiles()), fileName);

} // namespace
} // namespace vbs::test
