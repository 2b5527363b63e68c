// The edits of the input line: insertion at the cursor, the keys that edit by a rule of their
// own (the decimal point, the exponent, backspace and the sign key; clear empties the line: the
// key table's row covers it) and the memory keys. Each table gives the line before the key and
// the line after it.
#include "../table_rows.h"
#include "decimal_point.h"
#include "edit_case.h"
#include "erase.h"
#include "exponent_entry.h"
#include "insert_at_cursor.h"
#include "memories.h"
#include "sign_toggle.h"

#include <QStringList>

#include <cstdint>

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

QString rep(const char* piece, int times) {
    return QString(piece).repeated(times);
}

const QString kNul(QChar(u'\0'));
const QString kHigh(QChar(0xD800)); // a lone high surrogate

struct InsertCase {
    const char* name;
    LineState before;
    const char* inserted;
    LineState after;
};

const InsertCase kInsert[] = {
    {"IntoEmptyLine", {"", 0, 0}, "+", {"+", 1, 0}},
    {"AtCursorInMiddle", {"1234", 2, 0}, "*", {"12*34", 3, 0}},
    {"ReplacesSelection", {"1234", 1, 2}, "Ans", {"1Ans4", 4, 0}},
    {"ReplacesWholeSelectedLine", {"2+3", 0, 3}, "7", {"7", 1, 0}},
    {"AddsNoMultiplicationSign", {"2", 1, 0}, "Pi", {"2Pi", 3, 0}},
    {"PostfixPieceAtEnd", {"16", 2, 0}, "^(0.5)", {"16^(0.5)", 8, 0}},
    {"EmptyTextDeletesSelection", {"1234", 1, 2}, "", {"14", 1, 0}},
    {"EmptyTextWithoutSelectionChangesNothing", {"12", 1, 0}, "", {"12", 1, 0}},
    {"CursorBeyondEndIsClamped", {"ab", 7, 3}, "x", {"abx", 3, 0}},
    {"NegativeCursorIsClamped", {"ab", -4, -1}, "x", {"xab", 1, 0}},
    {"SelectionBeyondEndIsClamped", {"abcd", 2, 100}, "x", {"abx", 3, 0}},
    {"KeepsAllBeyond32767",
     {rep("1", 50'000), 40'000, 0},
     "+",
     {rep("1", 40'000) + "+" + rep("1", 10'000), 40'001, 0}},
};

class InsertAtCursor : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertAtCursor, GivesExpectedLine) {
    EXPECT_EQ(insertAtCursor(GetParam().before, QString(GetParam().inserted)), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, InsertAtCursor, testing::ValuesIn(kInsert), testing_rows::RowName());

// The point goes in at the cursor; the cursor then goes to the end, wherever the point went.
const EditCase kDecimalPoint[] = {
    {"EmptyLineGetsPointWithoutZero", {"", 0, 0}, {".", 1, 0}},
    {"AfterNumber", {"12", 2, 0}, {"12.", 3, 0}},
    {"SecondPointIsAllowed", {"1.5", 3, 0}, {"1.5.", 4, 0}},
    {"InMiddleCursorGoesToEnd", {"1234", 2, 0}, {"12.34", 5, 0}},
    {"ReplacesSelection", {"2+34", 2, 2}, {"2+.", 3, 0}},
    {"ReplacesMiddleSelectionCursorToEnd", {"2+34", 1, 1}, {"2.34", 4, 0}},
};

class DecimalPoint : public testing::TestWithParam<EditCase> {};

TEST_P(DecimalPoint, GivesExpectedLine) {
    EXPECT_EQ(enterDecimalPoint(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, DecimalPoint, testing::ValuesIn(kDecimalPoint),
                         testing_rows::RowName());

const EditCase kExponent[] = {
    {"EmptyLineGetsE", {"", 0, 0}, {"E", 1, 0}},
    {"StartOfLineGetsEBeforeDigit", {"5", 0, 0}, {"E5", 1, 0}},
    {"BetweenDigitsGetsE", {"12", 1, 0}, {"1E2", 2, 0}},
    {"AfterOperatorGetsPowerOfTen", {"2+", 2, 0}, {"2+*10^", 6, 0}},
    {"AfterCloseBracketGetsPowerOfTen", {"(1+2)", 5, 0}, {"(1+2)*10^", 9, 0}},
    {"AfterLetterGetsPowerOfTen", {"Pi", 2, 0}, {"Pi*10^", 6, 0}},
    {"AfterPointGetsPowerOfTen", {"2.", 2, 0}, {"2.*10^", 6, 0}},
    {"SecondExponentAfterDigit", {"2E5", 3, 0}, {"2E5E", 4, 0}},
    {"SelectionReplacedCharacterBeforeDecides", {"12+3", 2, 2}, {"12E", 3, 0}},
    {"SelectionAfterOperatorGetsPowerOfTen", {"1+23", 2, 2}, {"1+*10^", 6, 0}},
    {"SelectionFromStartGetsE", {"+5", 0, 1}, {"E5", 1, 0}},
    {"CharactersRightOfCursorAreIgnored", {"+5", 1, 0}, {"+*10^5", 5, 0}},
    {"OtherScriptsDigitIsNoDigit", {"\u0663", 1, 0}, {"\u0663*10^", 5, 0}},
};

class ExponentEntry : public testing::TestWithParam<EditCase> {};

TEST_P(ExponentEntry, GivesExpectedLine) {
    EXPECT_EQ(enterExponent(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, ExponentEntry, testing::ValuesIn(kExponent),
                         testing_rows::RowName());

const QString kSmile = QString::fromUtf16(u"\U0001F600"); // one character, two UTF-16 units

const EditCase kBackspace[] = {
    {"EmptyLineStaysEmpty", {"", 0, 0}, {"", 0, 0}},
    {"AfterFirstRemovesFirst", {"123", 1, 0}, {"23", 0, 0}},
    {"AtStartRemovesCharacterAfterCursor", {"123", 0, 0}, {"23", 0, 0}},
    {"AtStartRemovesTheOnlyCharacter", {"3", 0, 0}, {"", 0, 0}},
    {"RemovesSelection", {"1234", 1, 2}, {"14", 1, 0}},
    {"WholeLineSelectedLosesOnlyFirst", {"2+3", 0, 3}, {"+3", 0, 0}},
    {"SelectionFromStartLosesOnlyFirst", {"1234", 0, 2}, {"234", 0, 0}},
    {"NamesGoOneCharacterAtATime", {"2Pi", 3, 0}, {"2P", 2, 0}},
    {"PiecesGoOneCharacterAtATime", {"16^(0.5)", 8, 0}, {"16^(0.5", 7, 0}},
    {"CursorBeyondEndIsClamped", {"12", 9, 0}, {"1", 1, 0}},
    {"SelectionBeyondEndIsClamped", {"1234", 2, 50}, {"12", 2, 0}},
    {"NulIsAnOrdinaryCharacter", {kNul + "1", 2, 0}, {kNul, 1, 0}},
    {"SurrogatePairBeforeCursorGoesWhole", {"a" + kSmile, 3, 0}, {"a", 1, 0}},
    {"SurrogatePairAtStartGoesWhole", {kSmile + "a", 0, 0}, {"a", 0, 0}},
    {"CursorInsidePairRemovesPair", {"a" + kSmile + "b", 2, 0}, {"ab", 1, 0}},
    {"LoneHighSurrogateGoesAlone", {"a" + kHigh, 2, 0}, {"a", 1, 0}},
    {"LoneLowSurrogateGoesAlone", {QString(QChar(0xDC00)) + "a", 1, 0}, {"a", 0, 0}},
};

class Backspace : public testing::TestWithParam<EditCase> {};

TEST_P(Backspace, GivesExpectedLine) {
    EXPECT_EQ(backspace(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, Backspace, testing::ValuesIn(kBackspace), testing_rows::RowName());

// The cursor of `before` stands at the end unless the row is about the cursor or selection.
// The cursor always ends at the end of the result, nothing selected.
const EditCase kSignToggle[] = {
    {"EmptyGetsMinus", {"", 0, 0}, {"-", 1, 0}},
    {"AllSelectedIsReplacedByMinus", {"123", 0, 3}, {"-", 1, 0}},
    {"SingleDigitIsWrapped", {"5", 1, 0}, {"(-5)", 4, 0}},
    {"AllDigitsAreWrapped", {"10", 2, 0}, {"(-10)", 5, 0}},
    {"LastNumberIsWrapped", {"12+34", 5, 0}, {"12+(-34)", 8, 0}},
    {"ExponentOfPowerIsWrapped", {"3^2", 3, 0}, {"3^(-2)", 6, 0}},
    {"PointIsNoPartOfNumber", {"1.5", 3, 0}, {"1.(-5)", 6, 0}},
    {"ExponentLetterIsNoPartOfNumber", {"2E5", 3, 0}, {"2E(-5)", 6, 0}},
    {"MinusBeforeNumberStays", {"-5", 2, 0}, {"-(-5)", 5, 0}},
    {"OnlyTheEndIsExamined", {"(-5)*2", 6, 0}, {"(-5)*(-2)", 9, 0}},
    {"OperatorAtEndOpensNegation", {"5+", 2, 0}, {"5+(-", 4, 0}},
    {"LetterAtEndOpensNegation", {"Ans", 3, 0}, {"Ans(-", 5, 0}},
    {"MinusAloneOpensNegation", {"-", 1, 0}, {"-(-", 3, 0}},
    {"OpenNegationIsRemoved", {"5+(-", 4, 0}, {"5+", 2, 0}},
    {"OpenNegationAloneLeavesEmpty", {"(-", 2, 0}, {"", 0, 0}},
    {"WrapperAfterOperatorIsRemoved", {"12+(-34)", 8, 0}, {"12+34", 5, 0}},
    {"WrapperAfterTimesIsRemoved", {"2*(-4)", 6, 0}, {"2*4", 3, 0}},
    {"WrapperAtStartIsRemoved", {"(-5)", 4, 0}, {"5", 1, 0}},
    {"LongerWrapperAtStartIsRemoved", {"(-55)", 5, 0}, {"55", 2, 0}},
    {"WrapperAfterPointIsRemoved", {"1.(-5)", 6, 0}, {"1.5", 3, 0}},
    {"WrapperAfterDigitKeepsBracket", {"2(-5)", 5, 0}, {"2(5)", 4, 0}},
    {"NumberInBracketIsWrapped", {"2*(4)", 5, 0}, {"2*((-4))", 8, 0}},
    {"FunctionArgumentIsWrapped", {"Sqr(9)", 6, 0}, {"Sqr((-9))", 9, 0}},
    {"WrappedArgumentKeepsFunctionBracket", {"Sqr((-9))", 9, 0}, {"Sqr(9)", 6, 0}},
    {"WrapperInsideBracketsKeepsThem", {"((-5))", 6, 0}, {"(5)", 3, 0}},
    {"GroupWithoutNumberAtEndGetsMinus", {"(2+)", 4, 0}, {"(-2+)", 5, 0}},
    {"GroupMinusIsRemovedKeepingBracket", {"(-2+)", 5, 0}, {"(2+)", 4, 0}},
    {"FunctionOfNameGetsMinus", {"Sqr(x)", 6, 0}, {"Sqr(-x)", 7, 0}},
    {"EmptyGroupGetsMinus", {"()", 2, 0}, {"(-)", 3, 0}},
    {"UnopenedGroupGetsMinusAtStart", {"Ans)", 4, 0}, {"-Ans)", 5, 0}},
    {"NestedGroupIsTheInnermost", {"(1+(x))", 7, 0}, {"(1+(-x))", 8, 0}},
    {"LastNumberInBracketIsWrapped", {"2*(3+4)", 7, 0}, {"2*(3+(-4))", 10, 0}},
    {"TextStartingWithLetterIsScanned", {"x*(2+3)", 7, 0}, {"x*(2+(-3))", 10, 0}},
    {"DigitsToStartAreWrapped", {"55)", 3, 0}, {"(-55))", 6, 0}},
    {"NonDigitFirstThenWrapped", {"-5)", 3, 0}, {"-(-5))", 6, 0}},
    {"TwoCharactersWrappedWhole", {"5)", 2, 0}, {"(-5))", 5, 0}},
    {"CloseBracketAloneUnchanged", {")", 1, 0}, {")", 1, 0}},
    {"CloseBracketsAloneUnchanged", {"))", 2, 0}, {"))", 2, 0}},

    {"CursorInMiddleHasNoInfluence", {"12+34", 1, 0}, {"12+(-34)", 8, 0}},
    {"PartialSelectionHasNoInfluence", {"12+34", 1, 2}, {"12+(-34)", 8, 0}},
    {"AllSelectedWithOperatorIsReplaced", {"5+", 0, 2}, {"-", 1, 0}},
    {"AllSelectedBracketTextIsReplaced", {"(-5)", 0, 4}, {"-", 1, 0}},
    {"OutOfRangeStateIsClamped", {"7", 9, 9}, {"(-7)", 4, 0}},
    {"NegativeStateIsClamped", {"7", -2, -1}, {"(-7)", 4, 0}},
    {"OtherScriptsDigitIsNonDigit", {"\u0663", 1, 0}, {"\u0663(-", 3, 0}},
    {"NulCharacterIsNonDigit", {kNul + "5", 2, 0}, {kNul + "(-5)", 5, 0}},
    {"LoneSurrogateIsNonDigit", {kHigh + "5)", 3, 0}, {kHigh + "(-5))", 6, 0}},

    // Texts far beyond 32,767 characters are edited whole, in one pass back over the text (the
    // cursor at the start has no influence).
    {"OpenNegationsLoseTheLast", {rep("(-", 100'000), 0, 0}, {rep("(-", 99'999), 199'998, 0}},
    {"DeepNestingLosesOnlyTheInnermostWrapper",
     {rep("(-", 100'000) + "5" + rep(")", 100'000), 0, 0},
     {rep("(-", 99'999) + "5" + rep(")", 99'999), 299'998, 0}},
    {"DeepGroupGetsMinus",
     {"(" + rep("(x)", 100'000) + "+)", 0, 0},
     {"(-" + rep("(x)", 100'000) + "+)", 300'004, 0}},
    {"LongNumberWrapped", {rep("9", 40'000), 0, 0}, {"(-" + rep("9", 40'000) + ")", 40'003, 0}},
    {"LongNumberBeforeBracketWrapped",
     {rep("9", 40'000) + ")", 0, 0},
     {"(-" + rep("9", 40'000) + "))", 40'004, 0}},
    {"LongWrapperIsRemoved", {"(-" + rep("9", 40'000) + ")", 0, 0}, {rep("9", 40'000), 40'000, 0}},
};

class SignToggle : public testing::TestWithParam<EditCase> {};

TEST_P(SignToggle, GivesExpectedLine) {
    EXPECT_EQ(toggleSign(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, SignToggle, testing::ValuesIn(kSignToggle), testing_rows::RowName());

// Pressing twice restores any text whose last number had no sign, and any text ending in an
// operator or letter other than an open negation. Texts come from a fixed-seed generator;
// endings with ")" start with a non-digit, so no piece before them gives their number a sign.
TEST(SignToggleTwice, RestoresGeneratedTexts) {
    const QStringList pieces = u"1|23|+|-|*|/|^|(|)|.|E|x|Ans| |Sqr(|(-|(-4)|2(|0"_qs.split(u'|');
    const QStringList endings =
        u"7|05|123|+|*|^|(|x|Ans|.| |Sqr(9)|(12)|((5))|(2+)|(x)|*(3+4)|+(0))|"
        u"Sqr(Abs(25))|()|^(Ans)|2*(3+(-4))+(6)"_qs.split(u'|');
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t bound) {
        seed = seed * 1103515245u + 12345u; // fixed sequence on every platform
        return (seed >> 16) % bound;
    };
    for (int n = 0; n < 4000; ++n) {
        QString text;
        const std::uint32_t count = next(8);
        for (std::uint32_t k = 0; k < count; ++k) {
            text += pieces[next(pieces.size())];
        }
        text += endings[next(endings.size())];
        const LineState once = toggleSign({text, 0, 0});
        ASSERT_NE(once.text, text);
        EXPECT_EQ(toggleSign(once).text, text) << "after " << once.text.toStdString();
    }
}

// Memories by index: 1 x, 2 y, 3 z, 4 c, 5 k.
struct MemoryCase {
    const char* name;
    LineState before;
    int index;
    LineState after;
};

// The window evaluates the stored statement afterwards, which selects the whole line.
const MemoryCase kStore[] = {
    {"ImplicitProductIntoZUnrewritten", {"2(3)", 4, 0}, 3, {"!z=2(3)", 0, 0}},
    {"LeadingOperatorIntoC", {"+1", 2, 0}, 4, {"!c=+1", 0, 0}},
    {"AnsIntoK", {"Ans", 3, 0}, 5, {"!k=Ans", 0, 0}},
    {"EmptyLineIntoY", {"", 0, 0}, 2, {"!y=", 0, 0}},
    {"StatementAfterStoreIsWrappedAgain", {"!x=5", 0, 4}, 2, {"!y=!x=5", 0, 0}},
    {"WholeTextUntrimmedWhateverSelected", {" 1+2 ", 2, 1}, 1, {"!x= 1+2 ", 0, 0}},
    {"IndexZeroLeavesLine", {"5", 1, 0}, 0, {"5", 1, 0}},
    {"IndexSixLeavesLine", {"5", 1, 0}, 6, {"5", 1, 0}},
    // Found by fuzzing: a stale selection past the text came back unchanged.
    {"BadIndexStillClampsTheSelection", {"(-3)", 0, 40}, 0, {"(-3)", 0, 4}},
};

class StoreInMemory : public testing::TestWithParam<MemoryCase> {};

TEST_P(StoreInMemory, BuildsStatement) {
    EXPECT_EQ(storeInMemory(GetParam().before, GetParam().index), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoreInMemory, testing::ValuesIn(kStore), testing_rows::RowName());

const MemoryCase kRecall[] = {
    {"ReplacesSelectedStatement", {"!x=5", 0, 4}, 1, {"x", 1, 0}},
    {"InsertsY", {"2*", 2, 0}, 2, {"2*y", 3, 0}},
    {"InsertsZ", {"", 0, 0}, 3, {"z", 1, 0}},
    {"InsertsC", {"+", 0, 0}, 4, {"c+", 1, 0}},
    {"IndexOutOfRangeLeavesLine", {"12", 1, 0}, -1, {"12", 1, 0}},
    {"BadIndexStillClampsTheCursor", {"12", 9, 0}, 7, {"12", 2, 0}},
};

class RecallMemory : public testing::TestWithParam<MemoryCase> {};

TEST_P(RecallMemory, InsertsName) {
    EXPECT_EQ(recallMemory(GetParam().before, GetParam().index), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, RecallMemory, testing::ValuesIn(kRecall), testing_rows::RowName());

} // namespace
} // namespace quorvix::keypad
