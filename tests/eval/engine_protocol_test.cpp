#include "../table_rows.h"
#include "engine_protocol.h"
#include "vbscript_engine.h"

#include <QDataStream>
#include <QIODevice>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

namespace quorvix {
namespace {

using testing_rows::PrintTo;

using namespace std::chrono_literals;
using Kind = ScriptValue::Kind;
namespace protocol = engine_protocol;

// Answers every Eval with one given value, to carry each kind of value across.
class FixedValueEngine final : public ScriptEngine {
public:
    explicit FixedValueEngine(ScriptValue value) : m_value(std::move(value)) {}
    ScriptLanguage language() const override { return ScriptLanguage::VBScript; }
    std::optional<ScriptValue> eval(const QString&) override { return m_value; }
    bool executeStatement(const QString&) override { return true; }
    QString errorDescription() const override { return {}; }
    QString noTextFormDescription(const ScriptValue&) const override {
        return QStringLiteral("no text");
    }
    bool storeAnswer(const ScriptValue&, const QString&) override { return true; }

private:
    ScriptValue m_value;
};

struct ValueCase {
    const char* name;
    ScriptValue value;
    const char* noTextForm;
};

class ValueCrossingTest : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueCrossingTest, ArrivesAsItWasSent) {
    const ValueCase& c = GetParam();
    FixedValueEngine engine(c.value);
    const std::optional<QByteArray> payload =
        protocol::answerRequest(engine, protocol::evalRequest(QStringLiteral("x")));
    ASSERT_TRUE(payload.has_value());
    const std::optional<protocol::ReplyContent> reply = protocol::readReply(*payload);
    ASSERT_TRUE(reply.has_value());
    ASSERT_EQ(reply->kind, protocol::Reply::Value);
    const ScriptValue& got = reply->value;
    EXPECT_EQ(got.kind, c.value.kind);
    EXPECT_EQ(got.boolean, c.value.boolean);
    EXPECT_EQ(got.integer, c.value.integer);
    if (std::isnan(c.value.number)) {
        EXPECT_TRUE(std::isnan(got.number));
    } else {
        EXPECT_EQ(got.number, c.value.number);
    }
    EXPECT_EQ(got.text, c.value.text);
    EXPECT_EQ(got.hasText, c.value.hasText);
    EXPECT_EQ(reply->noTextForm.toStdString(), c.noTextForm);
}

const ValueCase kKinds[] = {
    {"Empty", ScriptValue::empty(), ""},
    {"Null", ScriptValue::null(), "no text"},
    {"True", ScriptValue::fromBool(true), ""},
    {"LongMinimum", ScriptValue::fromInteger(Kind::Long, INT32_MIN), ""},
    {"CurrencyScaled", ScriptValue::fromInteger(Kind::Currency, -9223372036854775807), ""},
    {"NegativeZero", ScriptValue::fromDouble(-0.0), ""},
    {"NaN", ScriptValue::fromDouble(std::nan("")), ""},
    {"Infinity", ScriptValue::fromDouble(-HUGE_VAL), ""},
    {"Date", ScriptValue::fromNumber(Kind::Date, 45000.5), ""},
    {"TextWithNulAndAstralCharacters",
     ScriptValue::fromString(QString::fromUtf8("a\0b\xF0\x9F\x98\x80", 7)), ""},
    {"ObjectWithText", ScriptValue::object(QStringLiteral("1,2"), true), ""},
    {"ObjectWithoutText", ScriptValue::object(QStringLiteral("why"), false), "no text"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, ValueCrossingTest, testing::ValuesIn(kKinds),
                         testing_rows::RowName());

QByteArray withTag(quint8 tag, const QString& text) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << tag << text;
    return payload;
}

// A session through the protocol with the VBScript engine behind it.
TEST(EngineProtocol, RequestsReachTheEngineAndFailuresCarryItsDescription) {
    VBScriptEngine engine(1s);
    auto ask = [&](const QByteArray& request) {
        const std::optional<QByteArray> payload = protocol::answerRequest(engine, request);
        EXPECT_TRUE(payload.has_value());
        return protocol::readReply(payload.value_or(QByteArray()))
            .value_or(protocol::ReplyContent{});
    };
    EXPECT_EQ(ask(protocol::executeStatementRequest(QStringLiteral("x = 5"))).kind,
              protocol::Reply::Done);
    protocol::ReplyContent reply = ask(protocol::executeStatementRequest(QStringLiteral("x = ")));
    EXPECT_EQ(reply.kind, protocol::Reply::Failed);
    EXPECT_EQ(reply.error, engine.errorDescription());
    EXPECT_FALSE(reply.error.isEmpty());

    const QByteArray store = protocol::storeAnswerRequest(ScriptValue::fromDouble(2.5), u"2.5"_qs);
    EXPECT_EQ(protocol::answerRequest(engine, store), QByteArray()) << "storing Ans has no reply";
    reply = ask(protocol::evalRequest(QStringLiteral("x * Ans")));
    ASSERT_EQ(reply.kind, protocol::Reply::Value);
    EXPECT_EQ(reply.value.number, 12.5);
    reply = ask(protocol::previewRequest(QStringLiteral("x * Ans")));
    ASSERT_EQ(reply.kind, protocol::Reply::Preview);
    EXPECT_TRUE(reply.previewed);
    EXPECT_EQ(reply.value.number, 12.5);
    reply = ask(protocol::previewRequest(QStringLiteral("nosuch")));
    EXPECT_EQ(reply.kind, protocol::Reply::Preview);
    EXPECT_FALSE(reply.previewed);

    reply = ask(protocol::evalRequest(QStringLiteral("1/0")));
    EXPECT_EQ(reply.kind, protocol::Reply::Failed);
    EXPECT_EQ(reply.error, QStringLiteral("Division by zero"));
    EXPECT_EQ(reply.errorPosition, 1) << "the operator that failed";
    const std::optional<protocol::ReplyContent> older =
        protocol::readReply(withTag(4, QStringLiteral("older")));
    ASSERT_TRUE(older) << "a failure may come without its position";
    EXPECT_EQ(older->error, QStringLiteral("older"));
    EXPECT_EQ(older->errorPosition, std::nullopt);

    reply = ask(protocol::evalRequest(QStringLiteral("Null")));
    EXPECT_EQ(reply.value.kind, Kind::Null);
    EXPECT_EQ(reply.noTextForm, QStringLiteral("Invalid use of Null"));
}

struct DamagedCase {
    const char* name;
    QByteArray payload;
};

class DamagedPayloadTest : public testing::TestWithParam<DamagedCase> {};

// Neither side acts on a payload it cannot read whole.
TEST_P(DamagedPayloadTest, IsRefusedByBothSides) {
    VBScriptEngine engine(1s);
    EXPECT_FALSE(protocol::answerRequest(engine, GetParam().payload).has_value());
    EXPECT_FALSE(protocol::readReply(GetParam().payload).has_value());
}

const DamagedCase kPayloads[] = {
    {"Empty", QByteArray()},
    {"UnknownTag", withTag(99, QStringLiteral("x"))},
    {"FailureWithANegativePosition",
     withTag(4, QStringLiteral("x")) + QByteArray("\xfe\xff\xff\xff\xff\xff\xff\xff", 8)},
    {"TextCutShort", protocol::evalRequest(QStringLiteral("1+1")).chopped(2)},
    {"TextLongerThanThePayload", QByteArray("\x01\xff\xff\xff\x7f", 5) + QByteArray(8, 'a')},
    {"BytesAfterTheEnd", protocol::evalRequest(QStringLiteral("1")) + QByteArray(1, 'x')},
    {"ValueCutShort",
     protocol::storeAnswerRequest(ScriptValue::fromDouble(1), QStringLiteral("1")).left(6)},
    // A count of names or descriptions far beyond the payload allocates nothing.
    {"NamesCountedBeyondThePayload", QByteArray("\x07\xff\xff\xff\x0f", 5)},
    {"GlobalsCountedBeyondThePayload", QByteArray("\x06\xff\xff\xff\x0f", 5)},
};

INSTANTIATE_TEST_SUITE_P(Payloads, DamagedPayloadTest, testing::ValuesIn(kPayloads),
                         testing_rows::RowName());

} // namespace
} // namespace quorvix
