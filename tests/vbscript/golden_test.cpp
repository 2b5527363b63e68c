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

// One result of a script: what its comment expects and what the run gave. `where` names it.
struct Result {
    std::string where;
    std::string expected;
    std::string got;
};

// Runs the script called `name` mark by mark; `marks` counts its '? and '! lines.
std::vector<Result> run(const std::string& name, const InterpreterOptions& options, int& marks) {
    std::ifstream file(fs::path(QUORVIX_VBS_GOLDEN_DIR) / name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    Interpreter in(options);
    std::vector<Result> results;
    std::string chunk;
    int lineNo = 0;
    marks = 0;
    for (std::string line; std::getline(file, line);) {
        ++lineNo;
        const std::string t = trimmed(line);
        const std::string at = "line " + std::to_string(lineNo);
        if (t.rfind("'?", 0) == 0) {
            const auto arrow = t.find("==>");
            if (arrow == std::string::npos) {
                results.push_back({at, "'? expression ==> expected", t});
                break;
            }
            if (!trimmed(chunk).empty()) {
                results.push_back({"statements before " + at, "ok", execText(in, chunk)});
            }
            chunk.clear();
            const std::string expression = trimmed(t.substr(2, arrow - 2));
            results.push_back(
                {at + ": " + expression, trimmed(t.substr(arrow + 3)), evalText(in, expression)});
            ++marks;
        } else if (t.rfind("'!", 0) == 0) {
            results.push_back({at, trimmed(t.substr(2)), execText(in, chunk)});
            chunk.clear();
            ++marks;
        } else {
            chunk += line + "\n";
        }
    }
    if (!trimmed(chunk).empty()) {
        results.push_back({"statements at the end", "ok", execText(in, chunk)});
    }
    return results;
}

class GoldenTest : public testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, MatchesTheExpectationsInItsComments) {
    int marks = 0;
    for (const Result& r : run(GetParam(), quickOptions(), marks)) {
        EXPECT_EQ(r.got, r.expected) << r.where;
    }
    EXPECT_GT(marks, 0) << "a golden script must check something";
}

// The runners specialised for a node's shape must give what the general ones give, result by
// result, whatever the script expects.
TEST_P(GoldenTest, GivesTheSameResultsWithoutSpecialisedRunners) {
    InterpreterOptions general = quickOptions();
    general.specializeNodes = false;
    int marks = 0;
    const std::vector<Result> specialised = run(GetParam(), quickOptions(), marks);
    const std::vector<Result> plain = run(GetParam(), general, marks);
    ASSERT_EQ(plain.size(), specialised.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(plain[i].got, specialised[i].got) << plain[i].where;
    }
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
