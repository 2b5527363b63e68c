#pragma once

#include "script_engine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvix::engine_protocol {

// The messages between the calculator and an engine running in a worker process. Each message
// is one frame's payload; the worker answers every request but StoreAnswer, which needs no
// answer, with exactly one reply, in the order of the requests. A Preview is answered by a
// Preview reply of its own kind, so that a caller that stopped waiting for one can tell it apart.
enum class Request : std::uint8_t {
    Eval = 1,
    ExecuteStatement = 2,
    StoreAnswer = 3,
    Preview = 4,
    DescribeGlobals = 5,
    GlobalNames = 6,
};
enum class Reply : std::uint8_t {
    Ready = 1,
    Value = 2,
    Done = 3,
    Failed = 4,
    Preview = 5,
    Globals = 6,
    Names = 7,
};

// No frame is larger: a reply that would be is answered "Out of memory" instead, a request that
// would be is not sent, and a frame announced larger is taken for a broken worker. It holds a
// text of 32 million characters, twice the longest text VBScript makes, and keeps what a
// broken worker can make the calculator allocate small.
inline constexpr std::uint32_t kMaxFrameBytes = std::uint32_t(64) << 20;

// How a worker ends itself when a script goes on after it was interrupted, so that the caller
// can say why.
inline constexpr int kExitTimedOut = 90;
inline constexpr int kExitOutOfMemory = 91;

QByteArray evalRequest(const QString& expression);
QByteArray executeStatementRequest(const QString& statement);
QByteArray previewRequest(const QString& expression);
QByteArray describeGlobalsRequest();
QByteArray globalNamesRequest();
// The answer's text goes once, as `answerText`: the stored value's own text is left empty.
QByteArray storeAnswerRequest(const ScriptValue& answer, const QString& answerText);
QByteArray readyReply();

// What a reply says. Value sets `value`, and `noTextForm` when the value has no text form (the
// engine's description of why); Failed sets `error`, and `errorPosition` when the engine knows
// where the failure lies (see ScriptEngine::errorPosition); Preview sets `previewed` and `value`
// when the expression had a value to show; Globals sets `globals`, Names `names`.
struct ReplyContent {
    Reply kind = Reply::Failed;
    bool previewed = false;
    ScriptValue value;
    QString noTextForm;
    QString error;
    std::optional<qsizetype> errorPosition;
    std::vector<GlobalDescription> globals;
    QStringList names;
};
// nullopt for a payload that is not a whole, well-formed reply.
std::optional<ReplyContent> readReply(const QByteArray& payload);

// The worker's side: runs one request in `engine` and returns the reply's payload, an empty
// payload when the request wants none, or nullopt when the request cannot be read.
std::optional<QByteArray> answerRequest(ScriptEngine& engine, const QByteArray& payload);

} // namespace quorvix::engine_protocol
