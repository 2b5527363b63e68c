#include "parser.h"

// Class ... End Class and With ... End With.
namespace vbs {

ClassMember& Parser::classMember(ClassDef& def, const std::u16string& lower) {
    const auto [it, added] =
        def.index.try_emplace(lower, static_cast<std::int32_t>(def.members.size()));
    if (added) {
        def.members.emplace_back().name = lower;
    }
    return def.members[static_cast<std::size_t>(it->second)];
}

// Class Name ... End Class, at script level only, never inside a procedure or a block. Its
// body holds only declarations: variables (Dim, Public, Private), Sub, Function and Property
// procedures, each on its own line.
StmtPtr Parser::parseClass() {
    const Token& kw = advance();
    if (proc_ || depth_ != 1) {
        fail(Outcome::SyntaxError, kw.pos);
    }
    if (upcoming().kind != Tok::Identifier) {
        fail(Outcome::ExpectedIdentifier);
    }
    const Token& name = advance();
    auto def = std::make_shared<ClassDef>();
    def->lowerName = nameOf(name);
    def->name = std::u16string(source_.substr(name.pos, def->lowerName.size()));
    if (!atSeparator()) {
        fail(upcoming().kind == Tok::End ? Outcome::ExpectedEnd : Outcome::ExpectedEndOfStatement);
    }
    for (;;) {
        while (atSeparator()) {
            advance();
        }
        if (acceptKeyword(Keyword::End)) {
            expectKeyword(Keyword::Class, Outcome::ExpectedClass);
            break;
        }
        parseClassEntry(def);
        if (!atSeparator() && !isKeyword(Keyword::End)) {
            fail(Outcome::ExpectedEndOfStatement);
        }
    }
    classes_.push_back(std::move(def));
    return nullptr;
}

// One declaration of a class body. "Public Default" marks the member a bare instance stands
// for; a name after Public or Private (other than Property) declares variables.
void Parser::parseClassEntry(const std::shared_ptr<ClassDef>& def) {
    if (acceptKeyword(Keyword::Dim)) {
        parseClassVariables(*def, true);
    } else if (acceptKeyword(Keyword::Public)) {
        const bool isDefault = isWord(u"default");
        if (isDefault) {
            advance();
        }
        if (!isDefault && upcoming().kind == Tok::Identifier && !isWord(u"property")) {
            parseClassVariables(*def, true);
        } else {
            parseClassMember(def, true, isDefault);
        }
    } else if (acceptKeyword(Keyword::Private)) {
        if (upcoming().kind == Tok::Identifier && !isWord(u"property")) {
            parseClassVariables(*def, false);
        } else {
            parseClassMember(def, false, false);
        }
    } else if (upcoming().kind == Tok::End) {
        fail(Outcome::ExpectedEnd);
    } else {
        parseClassMember(def, true, false);
    }
}

// name [ "(" [bounds] ")" ] { "," name ... } after Public, Private or Dim in a class body.
void Parser::parseClassVariables(ClassDef& def, bool isPublic) {
    do {
        if (upcoming().kind != Tok::Identifier) {
            fail(Outcome::ExpectedIdentifier);
        }
        const Token& name = advance();
        if (def.index.count(nameOf(name)) != 0) {
            fail(Outcome::NameRedefined, name.pos);
        }
        ClassMember& m = classMember(def, nameOf(name));
        m.isPublic = isPublic;
        m.field = def.fieldCount++;
        if (upcoming().kind == Tok::LParen) {
            advance();
            m.isArray = true;
            if (upcoming().kind != Tok::RParen) {
                do {
                    const Token& bound = upcoming();
                    const Variant v = bound.kind == Tok::Number ? valueOf(bound) : Variant::null();
                    if (!v.isIntegral()) {
                        fail(Outcome::ExpectedInteger);
                    }
                    advance();
                    m.bounds.push_back(static_cast<std::int32_t>(v.asInt()));
                } while (upcoming().kind == Tok::Comma && advance().kind == Tok::Comma);
            }
            expect(Tok::RParen, Outcome::ExpectedRParen);
        }
    } while (upcoming().kind == Tok::Comma && advance().kind == Tok::Comma);
}

// Sub, Function, or Property Get, Let or Set of a class, with its body.
void Parser::parseClassMember(const std::shared_ptr<ClassDef>& def, bool isPublic, bool isDefault) {
    const Token& kw = upcoming();
    Keyword kind = Keyword::None;
    bool isFunction = false;
    std::shared_ptr<Procedure> ClassMember::*part = &ClassMember::method;
    if (isKeyword(Keyword::Sub) || isKeyword(Keyword::Function)) {
        kind = kw.keyword;
        isFunction = kind == Keyword::Function;
        advance();
    } else if (isWord(u"property")) {
        advance();
        if (isWord(u"get")) {
            part = &ClassMember::get;
            isFunction = true;
        } else if (isKeyword(Keyword::Let)) {
            part = &ClassMember::let;
        } else if (isKeyword(Keyword::Set)) {
            part = &ClassMember::set;
        } else {
            fail(Outcome::SyntaxError);
        }
        advance();
    } else {
        fail(Outcome::ExpectedStatement);
    }
    const std::size_t namePos = upcoming().pos;
    std::unique_ptr<ProcScope> scope = parseProcedureRest(kind, isFunction, def);
    const std::shared_ptr<Procedure> proc = scope->proc;
    procs_.push_back(std::move(scope));
    const bool known = def->index.count(proc->name) != 0;
    ClassMember& m = classMember(*def, proc->name);
    // A name is one variable, one Sub or Function, or one property with one procedure of each
    // kind.
    const bool clash =
        known && (m.field >= 0 || m.method || part == &ClassMember::method || m.*part);
    if (clash) {
        fail(Outcome::NameRedefined, namePos);
    }
    m.*part = proc;
    m.isPublic = isPublic;
    if (isDefault) {
        if (def->defaultMember >= 0 || part == &ClassMember::let || part == &ClassMember::set) {
            fail(Outcome::SyntaxError, kw.pos);
        }
        def->defaultMember = def->find(proc->name);
    }
    if (part == &ClassMember::method &&
        (proc->name == u"class_initialize" || proc->name == u"class_terminate")) {
        if (!proc->params.empty()) {
            fail(Outcome::CannotHaveParameters, namePos);
        }
        (proc->name == u"class_initialize" ? def->initialize : def->terminate) = proc;
    }
}

// With object ... End With: ".member" inside stands for a member of that object.
StmtPtr Parser::parseWith() {
    auto s = std::make_unique<WithStmt>(StmtKind::With, advance().pos);
    s->object = parseExpr();
    s->body = parseBlock(false);
    expectBlockEnd(Keyword::With, Outcome::ExpectedWith);
    return s;
}

} // namespace vbs
