#include "../table_rows.h"
#include "input_assist.h"
#include "input_highlighter.h"
#include "name_at_cursor.h"
#include "name_spellings.h"
#include "script_words.h"
#include "syntax_spans.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using testing_support::focusName;
using testing_support::kEnter;
using testing_support::kEsc;
using testing_support::kTab;
using testing_support::Press;
using testing_support::typedText;
using testing_support::WindowTest;
constexpr auto VB = ScriptLanguage::VBScript;
constexpr auto JS = ScriptLanguage::JavaScript;

// "|" marks the cursor.
std::pair<QString, qsizetype> withCursor(const char* marked) {
    QString text = QString::fromUtf8(marked);
    const qsizetype cursor = text.indexOf(u'|');
    text.remove(cursor, 1);
    return {text, cursor};
}

struct PrefixCase {
    const char* name;
    const char* text;
    ScriptLanguage language;
    const char* prefix; // nullptr: nothing to complete
    const char* qualifier;
};
class NamePrefixTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(NamePrefixTest, FindsTheNameBeingTyped) {
    const PrefixCase& c = GetParam();
    const auto [text, cursor] = withCursor(c.text);
    const std::optional<NamePrefix> found = namePrefixAt(text, cursor, c.language);
    ASSERT_EQ(found.has_value(), c.prefix != nullptr);
    if (found) {
        EXPECT_EQ(found->prefix.toStdString(), c.prefix);
        EXPECT_EQ(found->qualifier.toStdString(), c.qualifier);
        EXPECT_EQ(found->start + found->prefix.size(), cursor);
    }
}

const PrefixCase kPrefixes[] = {
    {"NameAfterOperator", "1+sq|", VB, "sq", ""},
    {"NameAtStart", "Sq|", VB, "Sq", ""},
    {"ExponentInsideNumber", "2e|", VB, nullptr, ""},
    {"ExponentWithDigits", "1+1E5|", VB, nullptr, ""},
    {"DecimalExponent", "1.5e|", VB, nullptr, ""},
    {"ExponentShorthandAtStart", "e3|", VB, nullptr, ""},
    {"ELetterAtStartAfterBlanks", "  ex|", VB, nullptr, ""},
    {"ELetterLaterIsAName", "1+ex|", VB, "ex", ""},
    {"LongerNameAtStart", "Exp|", VB, "Exp", ""},
    {"JavaScriptNameAtStart", "es|", JS, "es", ""},
    {"StatementMayBeginWithE", "!e|", VB, "e", ""},
    {"HexLiteral", "&HF|", VB, nullptr, ""},
    {"JavaScriptHex", "0xf|", JS, nullptr, ""},
    {"MathMember", "Math.sq|", JS, "sq", "Math"},
    {"InsideAWord", "S|qr", VB, nullptr, ""},
    {"NothingTyped", "1+|", VB, nullptr, ""},
};
INSTANTIATE_TEST_SUITE_P(Prefixes, NamePrefixTest, testing::ValuesIn(kPrefixes),
                         testing_rows::RowName());

struct SpanCase {
    const char* name;
    const char* text;
    ScriptLanguage language;
    std::vector<SyntaxSpan> spans;
};
class SyntaxSpanTest : public testing::TestWithParam<SpanCase> {};

TEST_P(SyntaxSpanTest, ColoursEachPiece) {
    const SpanCase& c = GetParam();
    const auto [text, cursor] = withCursor(c.text);
    const QSet<QString> names{QStringLiteral("total"), QStringLiteral("rate")};
    const std::vector<SyntaxSpan> spans = syntaxSpans(text, c.language, names, cursor);
    ASSERT_EQ(spans.size(), c.spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(spans[i], c.spans[i]) << "span " << i;
    }
}

constexpr auto B = SpanKind::Builtin, S = SpanKind::String, N = SpanKind::Number;
constexpr auto Op = SpanKind::Operator, U = SpanKind::UserName, Kw = SpanKind::Keyword;
constexpr auto C = SpanKind::Comment, M = SpanKind::MatchedBracket, Q = SpanKind::Bracket;
constexpr auto Un = SpanKind::UnmatchedBracket;
// clang-format off
const SpanCase kSpans[] = {
    {"VBScriptCall", "|Mid(\"a\"\"b\", 2e3)", VB, {{0, 3, B}, {3, 1, Q}, {4, 6, S}, {12, 3, N}, {15, 1, Q}}},
    {"VBScriptWords", "|Total Mod 1 ' note", VB, {{0, 5, U}, {6, 3, Kw}, {10, 1, N}, {12, 6, C}}},
    {"ExponentShorthand", "|e-3", VB, {{0, 3, N}}},
    {"DateLiteralIsANumber", "|#1/2/2000#", VB, {{0, 10, N}}},
    {"MatchedBrackets", "(1|)+", VB, {{0, 1, M}, {1, 1, N}, {2, 1, M}, {3, 1, Op}}},
    {"UnmatchedBracket", "1)|", VB, {{0, 1, N}, {1, 1, Un}}},
    {"BracketInStringIgnored", "\")\"|(", VB, {{0, 3, S}, {3, 1, Un}}},
    {"QuietPairsUnmatchedRedAway", "(1)+|2(", VB, {{0, 1, Q}, {1, 1, N}, {2, 1, Q}, {3, 1, Op}, {4, 1, N}, {5, 1, Un}}},
    {"KindsPairApart", "|([)]", VB, {{0, 1, M}, {1, 1, Q}, {2, 1, M}, {3, 1, Q}}},
    {"JavaScriptNames", "|Math.sqrt(rate)", JS, {{0, 4, B}, {5, 4, B}, {9, 1, Q}, {10, 4, U}, {14, 1, Q}}},
    {"JavaScriptCommentAndString", "|/* c */ 'x'", JS, {{0, 7, C}, {8, 3, S}}},
    {"JavaScriptIsCaseSensitive", "|Rate", JS, {}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Spans, SyntaxSpanTest, testing::ValuesIn(kSpans), testing_rows::RowName());

TEST(ScriptWords, SignaturesCoverVBScriptAndMath) {
    EXPECT_EQ(findWord(VB, {}, u"mid")->signature, QStringLiteral("Mid(string, start[, length])"));
    EXPECT_EQ(findWord(VB, {}, u"ELSEIF")->kind, WordKind::Keyword);
    EXPECT_EQ(findWord(JS, u"Math", u"pow")->signature, QStringLiteral("Math.pow(base, exponent)"));
    EXPECT_EQ(findWord(JS, {}, u"pow"), nullptr);
    const auto [text, cursor] = withCursor("1+Math.max(Sqr(2), |");
    const std::optional<EnclosingCall> call = enclosingCall(text, cursor);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->name, QStringLiteral("max"));
    EXPECT_EQ(call->qualifier, QStringLiteral("Math"));
}

// The input line of a shown window, with `marked` typed in ("|" the cursor).
class InputAssistWindowTest : public WindowTest {
protected:
    CommandBox& typed(const char* marked) {
        MainWindow& main = open();
        const auto [text, cursor] = withCursor(marked);
        setLine(text, cursor);
        return *main.inputLine();
    }
    bool listOpen() { return window().inputLine()->assist()->completer()->popup()->isVisible(); }
    // The colours and marks laid over the input line's text.
    static QList<QTextLayout::FormatRange> formats(const CommandBox& box) {
        return box.document()->firstBlock().layout()->formats();
    }
};

// Keys in the input line, with the list of names closed or open afterwards.
struct KeyCase {
    const char* name;
    const char* text;
    std::vector<Press> keys;
    const char* after;
    bool listOpen;
    const char* focus;
};
class CompletionKeysTest : public InputAssistWindowTest,
                           public testing::WithParamInterface<KeyCase> {};

TEST_P(CompletionKeysTest, KeysActOnTheListOnlyWhileItIsOpen) {
    const KeyCase& c = GetParam();
    CommandBox& box = typed(c.text);
    QSignalSpy closing(&window(), &MainWindow::programEndRequested);
    press(&box, c.keys);
    EXPECT_EQ(box.text().toStdString(), c.after);
    EXPECT_EQ(listOpen(), c.listOpen);
    EXPECT_EQ(focusName().toStdString(), c.focus);
    EXPECT_EQ(closing.size(), 0);
}

const Press kCtrlSpace{Qt::Key_Space, Qt::ControlModifier};
// clang-format off
const KeyCase kCompletionKeys[] = {
    {"TabOpens", "1+Sq|", {kTab}, "1+Sq", true, "Command"},
    {"TabAccepts", "1+Sq|", {kTab, kTab}, "1+Sqr", false, "Command"},
    {"EnterAccepts", "1+LC|", {kTab, kEnter}, "1+LCase", false, "Command"},
    {"EscClosesOnlyTheList", "1+Sq|", {kTab, kEsc}, "1+Sq", false, "Command"},
    {"CtrlSpaceOpens", "1+sq|", {kCtrlSpace}, "1+sq", true, "Command"},
    {"TypingNarrowsThenAccepts", "1+S|", {kTab, typedText("q"), kEnter}, "1+Sqr", false, "Command"},
    {"TabWithoutPrefixMovesFocus", "1+|", {kTab}, "1+", false, "OK"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Keys, CompletionKeysTest, testing::ValuesIn(kCompletionKeys),
                         testing_rows::RowName());

TEST(NameSpellingsTest, FirstWrittenWins) {
    NameSpellings spellings;
    spellings.learn(u"Function AreaOf(r) ' areaof\nAreaOf = \"AREAOF\" & r\nEnd Function", VB);
    spellings.learn(u"x = areaof(2) + pi", VB); // later spellings change nothing
    const char* const rows[][2] = {
        {"areaof", "AreaOf"}, {"PI", "Pi"}, {"ans", "Ans"}, {"x", "x"}, {"never", "never"}};
    for (const auto& [asked, spelled] : rows) {
        EXPECT_EQ(spellings.spelled(QString::fromLatin1(asked)), QString::fromLatin1(spelled));
    }
}

TEST_F(InputAssistWindowTest, UserNamesAreOfferedAsWrittenAndSignatureHinted) {
    CommandBox& box = typed("!ToTal = 5|");
    QTest::keyClick(&box, Qt::Key_Return);
    // The new name is coloured as the user's from now on.
    box.setText(QStringLiteral("1+total"));
    const QList<QTextLayout::FormatRange> formats =
        box.document()->firstBlock().layout()->formats();
    EXPECT_TRUE(std::any_of(formats.begin(), formats.end(), [](const auto& range) {
        return range.start == 2 && range.format == InputHighlighter::formatOf(SpanKind::UserName);
    }));
    for (const auto& [typedText, completed] : {std::pair{"1+tot", "1+ToTal"}, {"1+p", "1+Pi"}}) {
        box.setText(QString::fromLatin1(typedText));
        box.setSelection(box.text().size(), 0);
        QTest::keyClick(&box, Qt::Key_Tab);
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_EQ(box.text(), QString::fromLatin1(completed));
    }
    box.setText(QStringLiteral("Mid(\"ab\", "));
    box.setSelection(10, 0);
    EXPECT_EQ(box.assist()->hint(), QStringLiteral("Mid(string, start[, length])"));
}

// Where a failed evaluation is underlined: `mark` is the marked character's index in `text`.
struct ErrorMarkCase {
    const char* name;
    const char* text;
    int mark;
};
class ErrorMarkTest : public InputAssistWindowTest,
                      public testing::WithParamInterface<ErrorMarkCase> {};

TEST_P(ErrorMarkTest, IsUnderlinedVisiblyAndTheRestIsAsBefore) {
    const ErrorMarkCase& c = GetParam();
    CommandBox& box = typed(c.text);
    const QString text = box.text();
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.text(), text);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), text.size());
    EXPECT_FALSE(window().outputBox()->text().isEmpty());
    EXPECT_EQ(box.assist()->errorMark(), c.mark);
    // The mark's colour under the marked character, over the selection and without it.
    const auto markPixels = [&box, &c] {
        QTextCursor at(box.document());
        at.setPosition(c.mark);
        const QRect under = box.cursorRect(at).adjusted(-2, 0, 12, 2);
        const QImage image = box.viewport()->grab(under).toImage();
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return std::count(pixels, pixels + image.sizeInBytes() / 4,
                          InputAssist::errorMarkColour().rgb());
    };
    EXPECT_GT(markPixels(), 4);
    box.setSelection(0, 0);
    EXPECT_GT(markPixels(), 4);
    // Editing the text takes the mark away.
    QTest::keyClick(&box, Qt::Key_1);
    EXPECT_EQ(box.assist()->errorMark(), std::nullopt);
    EXPECT_EQ(markPixels(), 0);
}

const ErrorMarkCase kFailures[] = {
    {"SyntaxError", "  2(3)+)|", 7},
    {"RunTimeErrorOnTheSecondLine", "!x = 1\ny = Sqr(-1)|", 11},
};
INSTANTIATE_TEST_SUITE_P(Failures, ErrorMarkTest, testing::ValuesIn(kFailures),
                         testing_rows::RowName());

// A pasted or dropped text loses one line break at its end, whatever its kind.
TEST_F(InputAssistWindowTest, PasteDropsOneTrailingLineBreak) {
    const char* const rows[][2] = {{"12.5\n", "12.5"},     {"12.5\r\n", "12.5"}, {"12.5\r", "12.5"},
                                   {"1\n2\n\n", "1\n2\n"}, {"\n", ""},           {"7", "7"}};
    for (const auto& [pasted, kept] : rows) {
        EXPECT_EQ(withoutTrailingLineBreak(QString::fromLatin1(pasted)), QString::fromLatin1(kept));
    }
    CommandBox& box = typed("|");
    QGuiApplication::clipboard()->setText(u"12.5\r\n"_qs);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(&box, u"*2"_qs);
    EXPECT_EQ(box.text(), u"12.5*2");
}

TEST_F(InputAssistWindowTest, LongTextsAreNotColoured) {
    CommandBox& box = typed("|");
    for (const qsizetype length :
         {InputHighlighter::kMaxHighlightedLength, InputHighlighter::kMaxHighlightedLength + 1}) {
        box.setText(QStringLiteral("1+").repeated(length / 2 + 1).left(length));
        const bool coloured = !formats(box).isEmpty();
        EXPECT_EQ(coloured, length <= InputHighlighter::kMaxHighlightedLength) << length;
    }
}

TEST_F(InputAssistWindowTest, BracketMarksFollowTheCursor) {
    CommandBox& box = typed("(1)+2|");
    const auto marked = [&box] {
        const QList<QTextLayout::FormatRange> ranges = formats(box);
        return std::count_if(ranges.begin(), ranges.end(), [](const auto& range) {
            return range.format.hasProperty(QTextFormat::BackgroundBrush);
        });
    };
    EXPECT_EQ(marked(), 0);
    box.setSelection(3, 0); // after ")"
    EXPECT_EQ(marked(), 2);
    QTest::keyClick(&box, Qt::Key_Right);
    EXPECT_EQ(marked(), 0);
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClick(&box, Qt::Key_ParenLeft); // typed, it is marked unmatched at once
    EXPECT_EQ(marked(), 1);
}

TEST_F(InputAssistWindowTest, LongTextIsColouredWhereItIsShown) {
    CommandBox& box = typed("|");
    const QString text = QStringLiteral("Not 1") + QStringLiteral("+1").repeated(3000);
    box.setText(text);
    const auto coloured = [&box](int at) {
        const QList<QTextLayout::FormatRange> ranges = formats(box);
        return std::any_of(ranges.begin(), ranges.end(), [at](const auto& range) {
            return range.start <= at && at < range.start + range.length;
        });
    };
    box.setSelection(text.size(), 0); // scrolls to the end
    EXPECT_TRUE(coloured(int(text.size()) - 2));
    EXPECT_TRUE(coloured(0)) << "a bold keyword moves the line breaks, shown or not";
    EXPECT_FALSE(coloured(int(text.size()) / 2)) << "colours far from the screen cost time";
    box.setSelection(0, 0);
    EXPECT_TRUE(coloured(5));
}

} // namespace
} // namespace quorvix::app
