#pragma once

#include <string>
#include <utility>

namespace vbs {

// Every error the interpreter can report, as one list so that the enum and the English texts
// cannot drift apart. Run-time numbers below 1000, compile-time numbers from 1001 on; the texts
// are the ones the Windows engine puts in Err.Description. A few numbers the interpreter never
// raises itself (35, 1001, 1027, 1028, 1042) stay because Err.Raise describes a number given
// without a description by this table.
#define VBS_ERROR_LIST(X)                                                                          \
    X(InvalidCall, 5, "Invalid procedure call or argument")                                        \
    X(Overflow, 6, "Overflow")                                                                     \
    X(OutOfMemory, 7, "Out of memory")                                                             \
    X(SubscriptOutOfRange, 9, "Subscript out of range")                                            \
    X(ArrayFixed, 10, "This array is fixed or temporarily locked")                                 \
    X(DivisionByZero, 11, "Division by zero")                                                      \
    X(TypeMismatch, 13, "Type mismatch")                                                           \
    X(OutOfStack, 28, "Out of stack space")                                                        \
    X(SubNotDefined, 35, "Sub or Function not defined")                                            \
    X(ObjectNotSet, 91, "Object variable not set")                                                 \
    X(ForNotInitialized, 92, "For loop not initialized")                                           \
    X(InvalidNull, 94, "Invalid use of Null")                                                      \
    X(ObjectRequired, 424, "Object required")                                                      \
    X(CannotCreateObject, 429, "ActiveX component can't create object")                            \
    X(NoSuchMember, 438, "Object doesn't support this property or method")                         \
    X(WrongArgCount, 450, "Wrong number of arguments or invalid property assignment")              \
    X(NotACollection, 451, "Object not a collection")                                              \
    X(KeyAlreadyExists, 457, "This key is already associated with an element of this collection")  \
    X(UnsupportedAutomationType, 458,                                                              \
      "Variable uses an Automation type not supported in VBScript")                                \
    X(VariableUndefined, 500, "Variable is undefined")                                             \
    X(IllegalAssignment, 501, "Illegal assignment")                                                \
    X(InvalidWithReference, 505, "Invalid or unqualified reference")                               \
    X(ClassNotDefined, 506, "Class not defined")                                                   \
    X(SyntaxOutOfMemory, 1001, "Out of memory")                                                    \
    X(SyntaxError, 1002, "Syntax error")                                                           \
    X(ExpectedLParen, 1005, "Expected '('")                                                        \
    X(ExpectedRParen, 1006, "Expected ')'")                                                        \
    X(ExpectedIdentifier, 1010, "Expected identifier")                                             \
    X(ExpectedEquals, 1011, "Expected '='")                                                        \
    X(ExpectedIf, 1012, "Expected 'If'")                                                           \
    X(ExpectedTo, 1013, "Expected 'To'")                                                           \
    X(ExpectedEnd, 1014, "Expected 'End'")                                                         \
    X(ExpectedFunction, 1015, "Expected 'Function'")                                               \
    X(ExpectedSub, 1016, "Expected 'Sub'")                                                         \
    X(ExpectedThen, 1017, "Expected 'Then'")                                                       \
    X(ExpectedWend, 1018, "Expected 'Wend'")                                                       \
    X(ExpectedLoop, 1019, "Expected 'Loop'")                                                       \
    X(ExpectedNext, 1020, "Expected 'Next'")                                                       \
    X(ExpectedCase, 1021, "Expected 'Case'")                                                       \
    X(ExpectedSelect, 1022, "Expected 'Select'")                                                   \
    X(ExpectedExpression, 1023, "Expected expression")                                             \
    X(ExpectedStatement, 1024, "Expected statement")                                               \
    X(ExpectedEndOfStatement, 1025, "Expected end of statement")                                   \
    X(ExpectedInteger, 1026, "Expected integer constant")                                          \
    X(ExpectedWhileUntil, 1027, "Expected 'While' or 'Until'")                                     \
    X(ExpectedWhileUntilEnd, 1028, "Expected 'While', 'Until' or end of statement")                \
    X(ExpectedWith, 1029, "Expected 'With'")                                                       \
    X(IdentifierTooLong, 1030, "Identifier too long")                                              \
    X(InvalidNumber, 1031, "Invalid number")                                                       \
    X(InvalidCharacter, 1032, "Invalid character")                                                 \
    X(UnterminatedString, 1033, "Unterminated string constant")                                    \
    X(InvalidMe, 1037, "Invalid use of 'Me' keyword")                                              \
    X(LoopWithoutDo, 1038, "'loop' without 'do'")                                                  \
    X(InvalidExit, 1039, "Invalid 'exit' statement")                                               \
    X(InvalidForVariable, 1040, "Invalid 'for' loop control variable")                             \
    X(NameRedefined, 1041, "Name redefined")                                                       \
    X(MustBeFirst, 1042, "Must be first statement on the line")                                    \
    X(ParenthesesOnSubCall, 1044, "Cannot use parentheses when calling a Sub")                     \
    X(ExpectedLiteral, 1045, "Expected literal constant")                                          \
    X(ExpectedIn, 1046, "Expected 'In'")                                                           \
    X(ExpectedClass, 1047, "Expected 'Class'")                                                     \
    X(ExpectedProperty, 1050, "Expected 'Property'")                                               \
    X(CannotHaveParameters, 1053, "Class initialize or terminate do not have arguments")           \
    X(UnexpectedNext, 1055, "Unexpected 'Next'")                                                   \
    /* Raised by the RegExp and Dictionary objects. */                                             \
    X(RegexSyntax, 5017, "Syntax error in regular expression")                                     \
    X(ElementNotFound, 32811, "Element not found")                                                 \
    /* Not a VBScript number: the host's own stop. On Error cannot catch it. */                    \
    X(Timeout, 10001, "Script timed out")

// How every step of a run ends: a statement, an expression, an operator, a conversion and a
// built-in alike. The parser is the exception inside: a syntax error throws Parser::Fail, which
// Parser::run catches and hands back as ParseResult::error, so its callers see an Outcome too.
// Normal goes on; ExitDo, ExitFor and ExitProc
// leave the enclosing loop or procedure (Exit Do, Exit For, Exit Function/Sub/Property); every
// other value is an error, travelling up as a plain return value until a block under On Error
// Resume Next or the caller of the run captures it into Err (Executor::errorOf). An error's
// value is its VBScript number, so the list above is also the table of its texts; Raised is the
// one error whose number and texts the script chose (Err.Raise), held by the executor.
// (clang-format cannot lay out an attribute on an enum.)
// clang-format off
enum class [[nodiscard]] Outcome : int {
    Normal = 0,
    ExitDo = 1,
    ExitFor = 2,
    ExitProc = 3,
    Raised = 4,
#define VBS_ERROR_ENUM(name, number, text) name = number,
    VBS_ERROR_LIST(VBS_ERROR_ENUM)
#undef VBS_ERROR_ENUM
};
// clang-format on

constexpr bool isError(Outcome o) {
    return o >= Outcome::Raised;
}

// Ends the enclosing function, which returns Outcome too, with the outcome `expr` gives unless
// it is Normal. The one way exits and errors travel up.
#define VBS_TRY(expr)                                                                              \
    do {                                                                                           \
        if (const ::vbs::Outcome vbsTryOutcome = (expr);                                           \
            vbsTryOutcome != ::vbs::Outcome::Normal) {                                             \
            return vbsTryOutcome;                                                                  \
        }                                                                                          \
    } while (false)

// A value, or the error that kept it from being made: what a step with a result gives back
// where no benchmark asks for an out-parameter. Read it with VBS_TRY_VALUE.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // An error (never Outcome::Normal, which would be a result without its value).
    Result(Outcome failure) : outcome_(failure) {}

    bool ok() const { return outcome_ == Outcome::Normal; }
    Outcome outcome() const { return outcome_; }
    const T& value() const& { return value_; }
    T&& value() && { return std::move(value_); }

private:
    T value_{};
    Outcome outcome_ = Outcome::Normal;
};

// The value of a Result; on an error, ends the enclosing function (which returns an Outcome or
// a Result) with that error, as VBS_TRY does. A GNU statement expression, which GCC and Clang
// both accept; __extension__ keeps -Wpedantic quiet about it.
#define VBS_TRY_VALUE(expr)                                                                        \
    __extension__({                                                                                \
        auto vbsTryResult = (expr);                                                                \
        if (!vbsTryResult.ok()) {                                                                  \
            return vbsTryResult.outcome();                                                         \
        }                                                                                          \
        std::move(vbsTryResult).value();                                                           \
    })

// The English description of a VBScript error number; "Unknown runtime error" for numbers
// without their own text (what Err.Raise gives for them).
std::u16string errorText(int number);
inline std::u16string errorText(Outcome failure) {
    return errorText(static_cast<int>(failure));
}
// True for the numbers of the list above.
bool hasErrorText(int number);

} // namespace vbs
