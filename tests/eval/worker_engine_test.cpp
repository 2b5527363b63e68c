#include "../table_rows.h"
#include "evaluation_command.h"
#include "javascript_loader.h"
#include "worker_engine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QDirIterator>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quorvix {
namespace {

using testing_rows::PrintTo;

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A shell script standing in for the worker, in a folder of its own, to play each way a worker
// can fail.
struct StandInWorker {
    explicit StandInWorker(const QByteArray& script) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(script);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("worker"));
};

// The frame that says "ready": its length, 1, then the tag 1.
#define READY_FRAME "printf '\\001\\000\\000\\000\\001' >&3\n"

struct BrokenWorkerCase {
    const char* name;
    const char* script;
    const char* error; // what every request is answered with, after the common start
};

class BrokenWorkerTest : public testing::TestWithParam<BrokenWorkerCase> {};

TEST_P(BrokenWorkerTest, EveryRequestGetsAClearMessage) {
    const BrokenWorkerCase& c = GetParam();
    const StandInWorker worker(c.script);
    WorkerEngine engine({ScriptLanguage::JavaScript, worker.path, {}, 1s, 1s, 300ms});
    const std::string error = std::string("JavaScript is not available: worker ") + c.error;
    EXPECT_FALSE(engine.eval(QStringLiteral("1+1")).has_value());
    EXPECT_EQ(engine.errorDescription().toStdString(), error);
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("x = 1")));
    EXPECT_EQ(engine.errorDescription().toStdString(), error);
    EXPECT_FALSE(engine.storeAnswer(ScriptValue::fromDouble(1), QStringLiteral("1")));
}

const BrokenWorkerCase kWorkers[] = {
    {"NotAProgram", "neither a script nor a program\n", "cannot start it: Exec format error"},
    {"ExitsAtStart", "#!/bin/sh\nexit 3\n", "stopped as it started (exit code 3)"},
    {"NeverReady", "#!/bin/sh\nexec sleep 30\n", "did not start within 0.3 seconds"},
    {"SaysSomethingElse", "#!/bin/sh\nprintf '\\001\\000\\000\\000\\077' >&3\nexec sleep 30\n",
     "is not the engine's worker"},
};

INSTANTIATE_TEST_SUITE_P(Workers, BrokenWorkerTest, testing::ValuesIn(kWorkers),
                         testing_rows::RowName());

TEST(WorkerEngine, WorkerGetsNoneOfTheCallersOpenFiles) {
    const int inheritable = ::open("/dev/null", O_RDONLY); // without close-on-exec
    ASSERT_GT(inheritable, 3);
    // Exits 7 when it can see the caller's file, else 3.
    const StandInWorker worker("#!/bin/sh\n[ -e /proc/self/fd/" + QByteArray::number(inheritable) +
                               " ] && exit 7\nexit 3\n");
    WorkerEngine engine({ScriptLanguage::JavaScript, worker.path, {}, 1s});
    EXPECT_FALSE(engine.eval(QStringLiteral("1")).has_value());
    ::close(inheritable);
    EXPECT_EQ(engine.errorDescription().toStdString(),
              "JavaScript is not available: worker stopped as it started (exit code 3)");
}

// A worker that cannot start is started once; until the retry is due (by the clock given),
// requests are answered at once. The worker that starts later gets Pi.
TEST(WorkerEngine, FailedStartIsTriedAgainOnlyWhenTheRetryIsDue) {
    // Logs each start, and fails it until it is told to run the real worker.
    const StandInWorker standIn("#!/bin/sh\necho >>\"$0.starts\"\n[ -e \"$0.ok\" ] && exec '" +
                                QByteArray(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH) +
                                "' \"$@\"\nexit 3\n");
    const QString& worker = standIn.path;
    Clock::time_point now = Clock::now();
    WorkerEngine::Launch launch{ScriptLanguage::JavaScript, worker, {QStringLiteral("20000")}, 20s};
    launch.retryAfter = 5s;
    launch.now = [&] { return now; };
    WorkerEngine engine(std::move(launch));
    EvaluationCommand command(engine);
    const auto run = [&](const char* input) {
        return command.run(QString::fromUtf8(input)).output.value_or(QString()).toStdString();
    };
    const auto starts = [&] {
        QFile log(worker + QStringLiteral(".starts"));
        return log.open(QIODevice::ReadOnly) ? log.readAll().count('\n') : 0;
    };
    const std::string failure =
        "JavaScript is not available: worker stopped as it started (exit code 3)";
    EXPECT_EQ(run("1+1"), failure);
    now += 4s;
    EXPECT_EQ(run("2+2"), failure);
    EXPECT_EQ(starts(), 1);
    QFile(worker + QStringLiteral(".ok")).open(QIODevice::WriteOnly);
    now += 1s;
    EXPECT_EQ(run("Pi"), "3.14159265358979");
    EXPECT_EQ(starts(), 2);
}

// Replies a worker must not send: each ends that worker at once with a clear message.
struct BadReplyCase {
    const char* name;
    const char* reply; // printf's text, after the ready frame and the first request
    const char* error;
};

constexpr const char* kUnreadableReply = "JavaScript sent a reply that could not be read; "
                                         "JavaScript was restarted, and only Pi and Ans were kept";

class BadReplyTest : public testing::TestWithParam<BadReplyCase> {};

TEST_P(BadReplyTest, EndsTheWorkerWithAClearMessage) {
    const BadReplyCase& c = GetParam();
    const StandInWorker worker(
        QByteArray("#!/bin/sh\n" READY_FRAME "head -c 4 <&3 >/dev/null\nprintf '") + c.reply +
        "' >&3\nexec sleep 30\n");
    WorkerEngine engine({ScriptLanguage::JavaScript, worker.path, {}, 1s});
    EXPECT_FALSE(engine.eval(QStringLiteral("1+1")).has_value());
    EXPECT_EQ(engine.errorDescription().toStdString(), c.error);
    EXPECT_TRUE(engine.takeRestart());
}

const BadReplyCase kReplies[] = {
    // 128 MiB, more than any reply may be: not waited for.
    {"HugeFrame", "\\000\\000\\000\\010", kUnreadableReply},
    {"UnknownTag", "\\001\\000\\000\\000\\077", kUnreadableReply},
};

INSTANTIATE_TEST_SUITE_P(Replies, BadReplyTest, testing::ValuesIn(kReplies),
                         testing_rows::RowName());

// The deadline holds for the whole reply: a frame still coming in when it has passed is not
// waited for, however steadily its bytes arrive. Here the rest of the frame is already there.
TEST(WorkerProcess, DeadlineHoldsWhileAFrameIsStillComingIn) {
    // Ready, then a frame of 70,000 bytes, more than one read takes; then it says it is done.
    const StandInWorker standIn(
        "#!/bin/sh\n{ printf '\\001\\000\\000\\000\\001\\160\\021\\001\\000'; "
        "head -c 70000 /dev/zero; } >&3\necho >\"$0.done\"\nexec sleep 30\n");
    const QString& worker = standIn.path;
    QString error;
    const std::unique_ptr<WorkerProcess> process = WorkerProcess::start(worker, {}, &error);
    ASSERT_TRUE(process) << error.toStdString();
    QByteArray payload;
    ASSERT_EQ(process->receive(payload, Clock::now() + 60s), WorkerProcess::Io::Done);
    for (int i = 0; i < 6000 && !QFile::exists(worker + QStringLiteral(".done")); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(process->receive(payload, Clock::now() - 1ms), WorkerProcess::Io::TimedOut);
}

// A frame whose start came in one read with the frame before it arrives whole: the bytes
// already taken are dropped from the buffer's front, and nothing else. (Ready and half the next
// frame's length are written first, the rest a moment later.)
TEST(WorkerProcess, FrameBegunInAnEarlierReadArrivesWhole) {
    const StandInWorker standIn("#!/bin/sh\nprintf '\\001\\000\\000\\000\\001\\012\\000' >&3\n"
                                "sleep 0.2\nprintf '\\000\\000%s' 0123456789 >&3\nexec sleep 30\n");
    QString error;
    const std::unique_ptr<WorkerProcess> process = WorkerProcess::start(standIn.path, {}, &error);
    ASSERT_TRUE(process) << error.toStdString();
    QByteArray payload;
    ASSERT_EQ(process->receive(payload, Clock::now() + 60s), WorkerProcess::Io::Done);
    ASSERT_EQ(process->receive(payload, Clock::now() + 60s), WorkerProcess::Io::Done);
    EXPECT_EQ(payload, QByteArrayLiteral("0123456789"));
}

// A preview's reply that comes after the caller stopped waiting is passed over, not taken for
// the next request's.
TEST(WorkerEngine, LatePreviewReplyIsNotTakenForTheNextReply) {
    // Done, then after a while a Preview reply with no value and a second Done.
    const StandInWorker worker("#!/bin/sh\n" READY_FRAME "printf '\\001\\000\\000\\000\\003' >&3\n"
                               "sleep 0.5\nprintf '\\002\\000\\000\\000\\005\\000"
                               "\\001\\000\\000\\000\\003' >&3\nexec sleep 30\n");
    WorkerEngine engine({ScriptLanguage::JavaScript, worker.path, {}, 10s});
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("x = 1")));
    EXPECT_FALSE(engine.preview(QStringLiteral("x")).has_value());
    EXPECT_FALSE(engine.takeRestart());
    EXPECT_TRUE(engine.executeStatement(QStringLiteral("x = 2")))
        << engine.errorDescription().toStdString();
}

TEST(WorkerEngine, WorkerThatDiesDuringARequestIsReportedAndReplaced) {
    // Ready, then killed by a signal when the first request comes.
    const StandInWorker worker("#!/bin/sh\n" READY_FRAME "head -c 4 <&3 >/dev/null\n"
                               "kill -SEGV $$\n");
    WorkerEngine engine({ScriptLanguage::JavaScript, worker.path, {}, 1s});
    EXPECT_FALSE(engine.eval(QStringLiteral("1+1")).has_value());
    EXPECT_EQ(engine.errorDescription().toStdString(),
              "JavaScript stopped unexpectedly (signal 11); JavaScript was restarted, and only Pi "
              "and Ans were kept");
    EXPECT_TRUE(engine.takeRestart());
    EXPECT_FALSE(engine.takeRestart()) << "a restart is reported once";
    // The next request starts a new worker, which dies the same way.
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("x = 1")));
    EXPECT_TRUE(engine.takeRestart());
}

// The real worker, with a limit short enough for the runaway cases and far above what the
// others need on a busy machine.
class JavaScriptWorkerTest : public testing::Test {
protected:
    std::unique_ptr<ScriptEngine> m_engine =
        loadJavaScriptEngine({QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH)}, 2s);
    EvaluationCommand m_command{*m_engine};

    QString run(const char* input) {
        return m_command.run(QString::fromUtf8(input)).output.value_or(QStringLiteral("<same>"));
    }
};

// A single built-in call over a huge array cannot be interrupted by the engine; the worker is
// killed instead, and the session goes on with Pi and the last answer.
TEST_F(JavaScriptWorkerTest, CallThatIgnoresTheInterruptEndsAtTheLimit) {
    ASSERT_EQ(run("6*7"), u"42");
    ASSERT_EQ(run("!var keep = 5"), u"<same>");
    EXPECT_EQ(run("new Array(1e9).fill(0).length"),
              u"Script timed out after 2 seconds; JavaScript was restarted, and only Pi and Ans "
              "were kept; lost: keep");
    EXPECT_EQ(run("Ans + 1"), u"43");
    EXPECT_EQ(run("Pi"), u"3.14159265358979");
    EXPECT_EQ(run("typeof keep"), u"undefined");
}

// A child of `parent` found by its name (the worker's by default); 0 when there is none.
pid_t childPid(pid_t parent, const QByteArray& name = "(quorvix-javascr)") {
    QDirIterator it(QStringLiteral("/proc"));
    while (it.hasNext()) {
        QFile stat(it.next() + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QList<QByteArray> fields = stat.readAll().split(' ');
        if (fields.size() > 3 && fields[1] == name && fields[2] != "Z" &&
            fields[3].toInt() == parent) {
            return fields[0].toInt();
        }
    }
    return 0;
}

// Kills the worker, and waits until all of it has ended (its leader turns into a zombie before
// its other threads are gone and its socket is closed), leaving it for the engine to reap.
void killWorker() {
    const pid_t pid = childPid(::getpid());
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid != pid) {
        std::this_thread::sleep_for(10ms);
    }
}

// A worker that died while idle is replaced before the next request, which the new worker
// evaluates; Pi and Ans are set again, and a run without an answer to show says so.
TEST_F(JavaScriptWorkerTest, WorkerThatDiedWhileIdleIsReplacedBeforeTheRequest) {
    m_command.setLibraryLoader([](quorvix::ScriptLanguage) {
        return std::optional(
            quorvix::LibraryScript{QStringLiteral("Quorvix-library.js"),
                                   QStringLiteral("function area(r) { return r*r; }"),
                                   {}});
    });
    ASSERT_EQ(run("6*7"), u"42");
    ASSERT_EQ(run("!var keep = 5"), u"<same>");
    killWorker();
    const quorvix::EvaluationResult result = m_command.run(QStringLiteral("Ans+area(2)"));
    EXPECT_EQ(result.output.value_or(QString()), u"46"); // the library ran again before it
    EXPECT_EQ(result.restart.value_or(QString()),
              u"JavaScript stopped unexpectedly (signal 9); JavaScript was restarted, and only Pi "
              "and Ans were kept; Quorvix-library.js was run again; lost: keep");
    killWorker();
    EXPECT_EQ(run("!var x = Pi > 3"),
              u"JavaScript stopped unexpectedly (signal 9); JavaScript was restarted, and only Pi "
              "and Ans were kept; Quorvix-library.js was run again");
    EXPECT_EQ(run("x"), u"True");
    EXPECT_EQ(run("typeof keep"), u"undefined");
}

// A stop can reach the worker before the request it is meant for has begun to run (the
// worker has not read it yet): it names the requests by their count, and the request's run
// stops as it begins. A later request is not stopped. The worker's own limit is an hour: only
// the stop can end the loop here.
TEST(WorkerEngine, StopThatComesBeforeItsRequestStopsIt) {
    QString why;
    const std::unique_ptr<WorkerProcess> worker = WorkerProcess::start(
        QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH), {QStringLiteral("3600000")}, &why);
    ASSERT_TRUE(worker) << why.toStdString();
    // The kind of the next reply; nullopt for none.
    const auto reply = [&](ScriptValue* value = nullptr) -> std::optional<engine_protocol::Reply> {
        QByteArray payload;
        // Generous: a busy machine may take its time, and a run that was not stopped never ends.
        if (worker->receive(payload, Clock::now() + 30s) != WorkerProcess::Io::Done) {
            return std::nullopt;
        }
        const std::optional<engine_protocol::ReplyContent> content =
            engine_protocol::readReply(payload);
        if (content && value) {
            *value = content->value;
        }
        return content ? std::optional(content->kind) : std::nullopt;
    };
    ASSERT_EQ(reply(), engine_protocol::Reply::Ready);
    sigval throughFirst{};
    throughFirst.sival_int = 1;
    ASSERT_EQ(::sigqueue(worker->pid(), WorkerProcess::stopSignal(), throughFirst), 0);
    const QByteArray frames =
        WorkerProcess::frame(engine_protocol::evalRequest(QStringLiteral("while (true) {}"))) +
        WorkerProcess::frame(engine_protocol::evalRequest(QStringLiteral("6*7")));
    EXPECT_EQ(WorkerProcess::frameCount(frames), 2U);
    ASSERT_EQ(worker->send(frames, Clock::now() + 30s), WorkerProcess::Io::Done);
    EXPECT_EQ(reply(), engine_protocol::Reply::Failed);
    ScriptValue second;
    EXPECT_EQ(reply(&second), engine_protocol::Reply::Value);
    EXPECT_EQ(second.number, 42);
}

// A worker whose parent is killed ends at once, though no end of file tells it: here a shell
// stands between the engine and the worker, and the engine keeps the channel open.
TEST(WorkerEngine, WorkerEndsWhenItsParentIsKilled) {
    const StandInWorker shell("#!/bin/sh\n'" + QByteArray(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH) +
                              "' \"$@\" &\nwait\n");
    WorkerEngine engine({ScriptLanguage::JavaScript, shell.path, {QStringLiteral("20000")}, 20s});
    ASSERT_TRUE(engine.eval(QStringLiteral("6*7")).has_value()); // the worker is past its start
    const pid_t parent = childPid(::getpid(), "(worker)");
    const pid_t worker = childPid(parent);
    ASSERT_GT(worker, 0);
    ASSERT_EQ(::kill(parent, SIGKILL), 0);
    const auto ended = [worker] { // gone, or a zombie its new parent has not reaped
        QFile stat(QStringLiteral("/proc/%1/stat").arg(worker));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().split(' ').value(2) == "Z";
    };
    for (int i = 0; i < 3000 && !ended(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(ended());
}

// A single call that grows past the memory limit and ignores the interrupt ends the worker,
// which says why.
TEST(JavaScriptWorker, CallThatIgnoresTheMemoryLimitEndsWithOutOfMemory) {
    WorkerEngine engine({ScriptLanguage::JavaScript,
                         QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH),
                         {QStringLiteral("20000"), QString::number(64 << 20)},
                         20s});
    EvaluationCommand command(engine);
    ASSERT_EQ(command.run(QStringLiteral("6*7")).output.value_or(QString()), u"42");
    // The message names the memory limit, not the time limit.
    EXPECT_EQ(
        command.run(QStringLiteral("new Array(1e9).fill(0).length")).output.value_or(QString()),
        u"Out of memory; JavaScript was restarted, and only Pi and Ans were kept");
    EXPECT_EQ(command.run(QStringLiteral("Ans")).output.value_or(QString()), u"42");
}

// A loop the engine can interrupt is stopped by the worker itself, which keeps its variables.
TEST_F(JavaScriptWorkerTest, InterruptibleLoopKeepsTheSession) {
    ASSERT_EQ(run("!var keep = 5"), u"<same>");
    EXPECT_EQ(run("!while (true) {}"), u"Script timed out after 2 seconds");
    EXPECT_FALSE(m_engine->takeRestart());
    EXPECT_EQ(run("keep + 1"), u"6");
}

TEST_F(JavaScriptWorkerTest, AnswersAndErrorsCrossUnchanged) {
    EXPECT_EQ(run("'a\\u0000b'.length"), u"3");
    EXPECT_EQ(run("'x'.repeat(3)"), u"xxx");
    EXPECT_EQ(run("+'y'"), u"xxxy") << "Ans stays a text";
    EXPECT_EQ(run("null"), u"null has no value to show");
    EXPECT_EQ(run("undefinedName"), u"undefinedName is not defined");
    EXPECT_EQ(run("'z'.repeat(3000000).length"), u"3000000");
    EXPECT_EQ(run("[1, [2, [3]], null, [undefined], {}]"), u"1,2,3,,,[object Object]");
}

// Where a JavaScript failure is marked in the input line: `mark` is the text that starts there,
// after `setup`, when given, ran as an earlier input.
struct JavaScriptErrorCase {
    const char* name;
    const char* setup;
    const char* input;
    const char* mark;
};

class JavaScriptErrorPositionTest : public JavaScriptWorkerTest,
                                    public testing::WithParamInterface<JavaScriptErrorCase> {};

TEST_P(JavaScriptErrorPositionTest, MarksTheFailingLine) {
    const JavaScriptErrorCase& c = GetParam();
    if (c.setup) {
        ASSERT_EQ(run(c.setup), u"<same>");
    }
    const QString input = QString::fromUtf8(c.input);
    const EvaluationResult result = m_command.run(input);
    ASSERT_TRUE(result.output.has_value());
    const qsizetype expected = input.indexOf(QString::fromUtf8(c.mark));
    ASSERT_GE(expected, 0) << "the row's mark is not in its input";
    EXPECT_EQ(result.errorPosition, expected) << result.output->toStdString();
}

const JavaScriptErrorCase kFailures[] = {
    {"SyntaxErrorAtItsToken", nullptr, "2 * (1 + )", ")"},
    {"SyntaxErrorAfterTheExponentShorthand", nullptr, "e3 + )", ")"},
    {"RunTimeErrorAtItsLine", nullptr, "1 +\n  null.x", "null"},
    {"StatementLineAfterTheMark", nullptr, "!var b = 1;\nb = nope + 1", "b = nope"},
    {"ThrownValue", nullptr, "!var b = 1;\nthrow 5", "throw"},
    {"FunctionOfAnEarlierInputAtItsCall", "!function f() {\n  return nope;\n}", "2 +\nf()", "f()"},
};

INSTANTIATE_TEST_SUITE_P(Failures, JavaScriptErrorPositionTest, testing::ValuesIn(kFailures),
                         testing_rows::RowName());

// Asking the global names leaves the user's last error as it was, and runs none of the user's
// code, even where a script replaced the functions a script would list them with.
TEST_F(JavaScriptWorkerTest, GlobalNamesIncludeTheUsersAndKeepTheLastError) {
    EXPECT_EQ(run("!var myRate = 2; function twice(x) { return 2 * x; }"), u"<same>");
    EXPECT_EQ(run("!var hits = 0; Array.prototype.join = Object.getOwnPropertyNames = "
                  "function () { hits++; return []; }"),
              u"<same>");
    EXPECT_EQ(run("undefinedName"), u"undefinedName is not defined");
    const QStringList names = m_engine->globalNames();
    EXPECT_TRUE(names.contains(QStringLiteral("myRate")));
    EXPECT_TRUE(names.contains(QStringLiteral("twice")));
    EXPECT_TRUE(names.contains(QStringLiteral("Pi")));
    EXPECT_EQ(m_engine->errorDescription(), u"undefinedName is not defined");
    EXPECT_EQ(run("hits"), u"0");
}

// An answer whose conversion to text throws has no text form: what it threw is shown, and Ans
// keeps the previous answer.
TEST_F(JavaScriptWorkerTest, AnswerWhoseConversionThrowsKeepsThePreviousAns) {
    ASSERT_EQ(run("6"), u"6");
    EXPECT_EQ(run("({toString() { throw 7 }})"), u"7");
    EXPECT_EQ(run("Object.create(null)"), u"TypeError: Type error");
    EXPECT_EQ(run("[1, {toString() { throw new Error('inner') }}]"), u"Error: inner");
    EXPECT_EQ(run("Ans+1"), u"7");
}

} // namespace
} // namespace quorvix
