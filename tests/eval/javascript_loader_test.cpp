#include "javascript_loader.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace quorvix {
namespace {

using namespace std::chrono_literals;

TEST(JavaScriptLoader, FirstCandidateThatExistsEvaluates) {
    const auto engine = loadJavaScriptEngine({QStringLiteral("/nonexistent/quorvix-javascript"),
                                              QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH)},
                                             2s);
    ASSERT_EQ(engine->language(), ScriptLanguage::JavaScript);
    const std::optional<ScriptValue> value = engine->eval(QStringLiteral("6*7"));
    ASSERT_TRUE(value.has_value()) << engine->errorDescription().toStdString();
    EXPECT_EQ(value->number, 42);
}

// A candidate that is missing or not executable is passed over.
TEST(JavaScriptLoader, MissingWorkerAnswersWithAMessage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString notExecutable = dir.filePath(QStringLiteral("quorvix-javascript"));
    std::ofstream(notExecutable.toStdString()) << "not a program";
    const auto engine = loadJavaScriptEngine(
        {QStringLiteral("/nonexistent/quorvix-javascript"), notExecutable}, 2s);
    EXPECT_EQ(engine->language(), ScriptLanguage::JavaScript);
    EXPECT_FALSE(engine->eval(QStringLiteral("1+1")).has_value());
    EXPECT_EQ(engine->errorDescription().toStdString(),
              "JavaScript is not available: quorvix-javascript was not found");
    EXPECT_FALSE(engine->executeStatement(QStringLiteral("x = 1")));
    EXPECT_FALSE(engine->storeAnswer(ScriptValue::fromDouble(1), QStringLiteral("1")));
}

TEST(JavaScriptLoader, ProgramInTheBuildTreeAlsoLooksWhereTheBuildPutTheWorker) {
    const QString inTree = QStringLiteral(QUORVIX_BUILD_TREE "/src/app");
    EXPECT_EQ(javaScriptWorkerCandidates(inTree),
              QStringList({inTree + QStringLiteral("/quorvix-javascript"),
                           QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH)}));
}

TEST(JavaScriptLoader, InstalledProgramLooksOnlyBesideItself) {
    for (const QString& folder :
         {QStringLiteral("/opt/quorvix"), QStringLiteral(QUORVIX_BUILD_TREE "-other/src/app"),
          QStringLiteral(QUORVIX_BUILD_TREE "/../elsewhere")}) {
        EXPECT_EQ(javaScriptWorkerCandidates(folder),
                  QStringList({QDir(folder).filePath(QStringLiteral("quorvix-javascript"))}))
            << folder.toStdString();
    }
    EXPECT_TRUE(javaScriptWorkerCandidates(QString()).isEmpty());
}

} // namespace
} // namespace quorvix
