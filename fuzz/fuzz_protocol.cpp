// The messages between the calculator and the JavaScript worker, on arbitrary bytes from either
// side: a damaged payload is refused, never half-read, and every reply the worker's side makes
// can be read back by the calculator's side.
#include "engine_protocol.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Answers with whatever the request carried, so that any text reaches the reply.
class EchoEngine final : public quorvix::ScriptEngine {
public:
    quorvix::ScriptLanguage language() const override { return quorvix::ScriptLanguage::VBScript; }
    std::optional<quorvix::ScriptValue> eval(const QString& expression) override {
        if (expression.size() % 3 == 0) {
            m_error = expression;
            return std::nullopt;
        }
        return expression.size() % 3 == 1 ? quorvix::ScriptValue::fromString(expression)
                                          : quorvix::ScriptValue::null();
    }
    bool executeStatement(const QString& statement) override {
        m_error = statement;
        return statement.size() % 2 == 0;
    }
    QString errorDescription() const override { return m_error; }
    QString noTextFormDescription(const quorvix::ScriptValue&) const override {
        return QStringLiteral("none");
    }
    bool storeAnswer(const quorvix::ScriptValue&, const QString&) override { return true; }

private:
    QString m_error;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    EchoEngine engine;
    if (const std::optional<QByteArray> reply =
            quorvix::engine_protocol::answerRequest(engine, bytes);
        reply && !reply->isEmpty() && !quorvix::engine_protocol::readReply(*reply)) {
        std::abort();
    }
    (void)quorvix::engine_protocol::readReply(bytes);
    return 0;
}
