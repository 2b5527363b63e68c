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
    std::string where, expected, got;
    bool operator==(const Result&) const = default;
};

// Runs the script called `name` mark by mark ('? and '! lines: `where` starts "line").
std::vector<Result> run(const std::string& name, const InterpreterOptions& options) {
    std::ifstream file(fs::path(QUORVIX_VBS_GOLDEN_DIR) / name, std::ios::binary);
    Interpreter in(options);
    std::vector<Result> results;
    std::string chunk;
    int lineNo = 0;
    for (std::string line; std::getline(file, line);) {
        ++lineNo;
        const std::string t = trimmed(line);
        const std::string at = "line " + std::to_string(lineNo);
        if (t.rfind("'?", 0) == 0) {
            const auto arrow = t.find("==>");
            EXPECT_NE(arrow, std::string::npos) << at;
            if (!trimmed(chunk).empty()) {
                results.push_back({"statements before " + at, "ok", execText(in, chunk)});
            }
            chunk.clear();
            const std::string expression = trimmed(t.substr(2, arrow - 2));
            results.push_back(
                {at + ": " + expression, trimmed(t.substr(arrow + 3)), evalText(in, expression)});
        } else if (t.rfind("'!", 0) == 0) {
            results.push_back({at, trimmed(t.substr(2)), execText(in, chunk)});
            chunk.clear();
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
    const std::vector<Result> results = run(GetParam(), quickOptions());
    for (const Result& r : results) {
        EXPECT_EQ(r.got, r.expected) << r.where;
    }
    EXPECT_TRUE(std::any_of(results.begin(), results.end(), [](const Result& r) {
        return r.where.rfind("line", 0) == 0;
    })) << "a golden script must check something";
}

// The runners specialised for a node's shape must give what the general ones give.
TEST_P(GoldenTest, GivesTheSameResultsWithoutSpecialisedRunners) {
    InterpreterOptions general = quickOptions();
    general.specializeNodes = false;
    EXPECT_EQ(run(GetParam(), general), run(GetParam(), quickOptions()));
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
