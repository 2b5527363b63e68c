#include "engine_protocol.h"

#include <QDataStream>
#include <QIODevice>

namespace quorvix::engine_protocol {
namespace {

// Both ends run on the same machine, so the stream keeps its native byte order.
void prepare(QDataStream& stream) {
    stream.setVersion(QDataStream::Qt_6_0);
    stream.setByteOrder(QDataStream::LittleEndian);
}

void writeValue(QDataStream& out, const ScriptValue& value) {
    out << static_cast<quint8>(value.kind) << value.boolean << static_cast<qint64>(value.integer)
        << value.number << value.text << value.hasText;
}

bool readValue(QDataStream& in, ScriptValue& value) {
    quint8 kind = 0;
    qint64 integer = 0;
    in >> kind >> value.boolean >> integer >> value.number >> value.text >> value.hasText;
    if (kind > static_cast<quint8>(ScriptValue::Kind::Object)) {
        return false;
    }
    value.kind = static_cast<ScriptValue::Kind>(kind);
    value.integer = integer;
    return true;
}

void writeDescription(QDataStream& out, const GlobalDescription& name) {
    out << static_cast<quint8>(name.kind) << name.name << name.value.has_value();
    if (name.value) {
        writeValue(out, *name.value);
    }
    out << name.type << name.shape << static_cast<quint8>(name.firstElements.size());
    for (const ScriptValue& element : name.firstElements) {
        writeValue(out, element);
    }
    out << name.moreElements;
}

bool readDescription(QDataStream& in, GlobalDescription& name) {
    quint8 kind = 0;
    bool hasValue = false;
    in >> kind >> name.name >> hasValue;
    if (kind > static_cast<quint8>(GlobalDescription::Kind::Class)) {
        return false;
    }
    name.kind = static_cast<GlobalDescription::Kind>(kind);
    if (hasValue && !readValue(in, name.value.emplace())) {
        return false;
    }
    quint8 elements = 0;
    in >> name.type >> name.shape >> elements;
    if (elements > kDescribedElements) {
        return false;
    }
    for (quint8 i = 0; i < elements; ++i) {
        if (!readValue(in, name.firstElements.emplace_back())) {
            return false;
        }
    }
    in >> name.moreElements;
    return in.status() == QDataStream::Ok;
}

// A count, then that many items, each read by `readItem` (false for a broken one). Each item
// takes a few bytes at least, so a count beyond the payload is a broken reply; the items are
// read one by one, as a list's own reading would reserve what a broken count announces.
template <typename ReadItem>
bool readCounted(QDataStream& in, qsizetype payloadSize, ReadItem readItem) {
    quint32 count = 0;
    in >> count;
    if (count > static_cast<quint32>(payloadSize)) {
        return false;
    }
    for (quint32 i = 0; i < count; ++i) {
        if (!readItem(in)) {
            return false;
        }
    }
    return true;
}

template <typename Tag, typename Write> QByteArray message(Tag tag, Write write) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    prepare(out);
    out << static_cast<quint8>(tag);
    write(out);
    return payload;
}

// A failure's position goes as -1 when the engine knows none.
QByteArray failedReply(const QString& error, std::optional<qsizetype> position = std::nullopt) {
    return message(Reply::Failed, [&](QDataStream& out) {
        out << error << static_cast<qint64>(position.value_or(-1));
    });
}

QByteArray failedReply(const ScriptEngine& engine) {
    return failedReply(engine.errorDescription(), engine.errorPosition());
}

} // namespace

QByteArray evalRequest(const QString& expression) {
    return message(Request::Eval, [&](QDataStream& out) { out << expression; });
}

QByteArray executeStatementRequest(const QString& statement) {
    return message(Request::ExecuteStatement, [&](QDataStream& out) { out << statement; });
}

QByteArray previewRequest(const QString& expression) {
    return message(Request::Preview, [&](QDataStream& out) { out << expression; });
}

QByteArray describeGlobalsRequest() {
    return message(Request::DescribeGlobals, [](QDataStream&) {});
}

QByteArray globalNamesRequest() {
    return message(Request::GlobalNames, [](QDataStream&) {});
}

QByteArray storeAnswerRequest(const ScriptValue& answer, const QString& answerText) {
    return message(Request::StoreAnswer, [&](QDataStream& out) {
        ScriptValue kindAndNumber = answer;
        kindAndNumber.text.clear(); // a long text would otherwise double the frame
        writeValue(out, kindAndNumber);
        out << answerText;
    });
}

QByteArray readyReply() {
    return message(Reply::Ready, [](QDataStream&) {});
}

std::optional<ReplyContent> readReply(const QByteArray& payload) {
    QDataStream in(payload);
    prepare(in);
    quint8 tag = 0;
    in >> tag;
    ReplyContent reply;
    switch (static_cast<Reply>(tag)) {
    case Reply::Ready:
    case Reply::Done:
        break;
    case Reply::Value:
        if (!readValue(in, reply.value)) {
            return std::nullopt;
        }
        in >> reply.noTextForm;
        break;
    case Reply::Preview:
        in >> reply.previewed;
        if (reply.previewed && !readValue(in, reply.value)) {
            return std::nullopt;
        }
        break;
    case Reply::Globals:
        if (!readCounted(in, payload.size(), [&](QDataStream& item) {
                return readDescription(item, reply.globals.emplace_back());
            })) {
            return std::nullopt;
        }
        break;
    case Reply::Names:
        if (!readCounted(in, payload.size(), [&](QDataStream& item) {
                item >> reply.names.emplace_back();
                return item.status() == QDataStream::Ok;
            })) {
            return std::nullopt;
        }
        break;
    case Reply::Failed: {
        // A reply without the position (a worker from before it was sent) says no position.
        qint64 position = -1;
        in >> reply.error;
        if (!in.atEnd()) {
            in >> position;
        }
        if (position < -1) {
            return std::nullopt;
        }
        if (position >= 0) {
            reply.errorPosition = static_cast<qsizetype>(position);
        }
        break;
    }
    default:
        return std::nullopt;
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        return std::nullopt;
    }
    reply.kind = static_cast<Reply>(tag);
    return reply;
}

std::optional<QByteArray> answerRequest(ScriptEngine& engine, const QByteArray& payload) {
    QDataStream in(payload);
    prepare(in);
    quint8 tag = 0;
    in >> tag;
    QString text;
    ScriptValue answer;
    switch (static_cast<Request>(tag)) {
    case Request::Eval:
    case Request::ExecuteStatement:
    case Request::Preview:
        in >> text;
        break;
    case Request::DescribeGlobals:
    case Request::GlobalNames:
        break;
    case Request::StoreAnswer:
        if (!readValue(in, answer)) {
            return std::nullopt;
        }
        in >> text;
        break;
    default:
        return std::nullopt;
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        return std::nullopt;
    }

    QByteArray reply;
    switch (static_cast<Request>(tag)) {
    case Request::Eval:
        if (const std::optional<ScriptValue> value = engine.eval(text)) {
            const bool textless = value->kind == ScriptValue::Kind::Null ||
                                  (value->kind == ScriptValue::Kind::Object && !value->hasText);
            reply = message(Reply::Value, [&](QDataStream& out) {
                writeValue(out, *value);
                out << (textless ? engine.noTextFormDescription(*value) : QString());
            });
        } else {
            reply = failedReply(engine);
        }
        break;
    case Request::ExecuteStatement:
        reply = engine.executeStatement(text) ? message(Reply::Done, [](QDataStream&) {})
                                              : failedReply(engine);
        break;
    case Request::StoreAnswer:
        engine.storeAnswer(answer, text);
        return QByteArray();
    case Request::Preview: {
        const std::optional<ScriptValue> value = engine.preview(text);
        reply = message(Reply::Preview, [&](QDataStream& out) {
            out << value.has_value();
            if (value) {
                writeValue(out, *value);
            }
        });
        break;
    }
    case Request::GlobalNames: {
        const QStringList names = engine.globalNames();
        reply = message(Reply::Names, [&](QDataStream& out) {
            out << static_cast<quint32>(names.size());
            for (const QString& name : names) {
                out << name;
            }
        });
        break;
    }
    case Request::DescribeGlobals: {
        const std::vector<GlobalDescription> names = engine.describeGlobals();
        reply = message(Reply::Globals, [&](QDataStream& out) {
            out << static_cast<quint32>(names.size());
            for (const GlobalDescription& name : names) {
                writeDescription(out, name);
            }
        });
        break;
    }
    }
    if (static_cast<std::size_t>(reply.size()) > kMaxFrameBytes) {
        return failedReply(QStringLiteral("Out of memory"));
    }
    return reply;
}

} // namespace quorvix::engine_protocol
