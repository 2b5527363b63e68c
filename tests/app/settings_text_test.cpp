#include "../table_rows.h"
#include "settings_file.h"

#include <gtest/gtest.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using enum SettingsAction;

struct ActionsCase {
    const char* name;
    QByteArray content;
    std::vector<SettingsAction> expected;
};

class SettingsActionsTest : public testing::TestWithParam<ActionsCase> {};

TEST_P(SettingsActionsTest, ReadsActionsInFileOrder) {
    EXPECT_EQ(settingsActions(GetParam().content), GetParam().expected);
    // A file is read in pieces: an item, a quote or a CR LF may be cut anywhere.
    SettingsReader reader;
    for (const char c : GetParam().content) {
        reader.feed(QByteArrayView(&c, 1));
    }
    EXPECT_EQ(reader.finish(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, SettingsActionsTest,
    testing::Values(
        ActionsCase{"AsWrittenUnderVBScriptHidden", "lang=0\r\npad=0\r\n", {}},
        ActionsCase{"AsWrittenUnderVBScriptShown", "lang=0\r\npad=1\r\n", {PressKeypad}},
        ActionsCase{
            "AsWrittenUnderJavaScript", "lang=1\r\npad=1\r\n", {SelectJavaScript, PressKeypad}},
        ActionsCase{"Empty", "", {}}, ActionsCase{"CapitalLetters", "LANG=1", {SelectJavaScript}},
        ActionsCase{"SpacesAround", "   lang=1   \r\n", {SelectJavaScript}},
        ActionsCase{"TabsAroundAreText", "\tpad=1\r\npad=1\t\r\n\t\"lang=1\"", {}},
        ActionsCase{"SpacesInsideDoNotMatch", "lang = 1\r\npad =1\r\n", {}},
        ActionsCase{"CommaSeparatesItems", "lang=1,pad=1", {SelectJavaScript, PressKeypad}},
        ActionsCase{"OrderKept", "pad=1\r\nlang=1\r\n", {PressKeypad, SelectJavaScript}},
        ActionsCase{"TwoPadsCancelOut", "pad=1\r\npad=1\r\n", {}},
        ActionsCase{"PressesCountedOnEachSideOfTheSelection",
                    "pad=1,pad=1,pad=1,lang=1,pad=1,LANG=1,pad=1,pad=1",
                    {PressKeypad, SelectJavaScript, PressKeypad}},
        ActionsCase{"LfOnlyLineEnds", "lang=1\npad=1\n", {SelectJavaScript, PressKeypad}},
        ActionsCase{"CrOnlyLineEnds", "lang=1\rpad=1\r", {SelectJavaScript, PressKeypad}},
        ActionsCase{"NoFinalLineEnd", "pad=1", {PressKeypad}},
        ActionsCase{"QuotedItem", "\"lang=1\"", {SelectJavaScript}},
        ActionsCase{"QuotedItemWithComma", "\"pad=1,lang=1\"", {}},
        ActionsCase{"QuotedItemSpansLines", "\"pad=1\r\n\",lang=1", {SelectJavaScript}},
        ActionsCase{"QuotedItemTrimmedInside", "\"  PAD=1 \"", {PressKeypad}},
        ActionsCase{"TextAfterClosingQuoteDropped",
                    "\"lang=1\"junk,pad=1",
                    {SelectJavaScript, PressKeypad}},
        ActionsCase{"UnclosedQuoteRunsToEnd", "\"lang=1", {SelectJavaScript}},
        ActionsCase{"OtherValuesIgnored", "lang=2\r\npad=yes\r\nlang=01\r\n", {}},
        ActionsCase{"UnrecognisedText", "hello world\r\n[section]\r\n", {}},
        ActionsCase{"NulBytesDoNotMatch", QByteArray("lang=1\0", 7), {}},
        ActionsCase{"EmptyItemsIgnored", ",,\r\n\r\n,pad=1,", {PressKeypad}},
        ActionsCase{
            "NulInsideAnItemSpoilsIt", QByteArray("lang\0=1\r\npad=1\r\n", 16), {PressKeypad}},
        ActionsCase{
            "NulItemsBetweenGoodOnes", QByteArray("\0\0,lang=1,\0", 11), {SelectJavaScript}},
        ActionsCase{"OnlyNuls", QByteArray(4096, '\0'), {}},
        ActionsCase{"InvalidUtf8AroundGoodItems", "\xff\xfe\r\npad=1\r\n\xc3(\r\n", {PressKeypad}},
        ActionsCase{"InvalidUtf8GluedToAnItem", "\xefpad=1\r\nlang=1\xff\r\n", {}},
        ActionsCase{"UnclosedQuoteSwallowsTheRest", "\"lang=1\r\npad=1\r\n", {}}),
    testing_rows::RowName());

// Under JavaScript the keypad caption is "Keypad Unavailable", which does not start with "&".
TEST(SettingsTextTest, WritesLanguageAndKeypadState) {
    EXPECT_EQ(settingsText(true, false), QByteArray("lang=0\r\npad=1\r\n"));
    EXPECT_EQ(settingsText(true, true), QByteArray("lang=0\r\npad=0\r\n"));
    EXPECT_EQ(settingsText(false, false), QByteArray("lang=1\r\npad=1\r\n"));
}

} // namespace
} // namespace quorvix::app
