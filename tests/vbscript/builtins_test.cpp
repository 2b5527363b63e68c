#include "library/builtins.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

TEST(BuiltinTable, NamesAreLowerCaseAndUnique) {
    for (int i = 0; i < builtinCount(); ++i) {
        const std::u16string name = builtinAt(i).name;
        EXPECT_EQ(name, lowerAscii(name));
        EXPECT_EQ(findBuiltin(name), i) << utf8(name) << " appears twice";
        EXPECT_LE(builtinAt(i).minArgs, builtinAt(i).maxArgs) << utf8(name);
        // The signature names the function in its usual spelling, with arguments only when it
        // takes some.
        const std::u16string signature = builtinAt(i).signature;
        EXPECT_EQ(lowerAscii(signature.substr(0, name.size())), name) << utf8(signature);
        EXPECT_EQ(signature.size() > name.size(), builtinAt(i).maxArgs > 0) << utf8(signature);
    }
}

// GetLocale reports the user's locale; SetLocale switches between it and en-US, for this
// interpreter alone, and refuses a locale whose forms it does not know.
TEST(Locale, SwitchesBetweenTheUsersAndUsFormsPerInterpreter) {
    InterpreterOptions german = quickOptions();
    german.decimalSeparator = u',';
    german.localeName = u"de_DE";
    Interpreter in(german);
    EXPECT_EQ(evalText(in, "GetLocale"), "1031 (Long)");
    EXPECT_EQ(evalText(in, "SetLocale(\"en-us\") & \"|\" & CStr(1.5) & \"|\" & GetLocale"),
              "\"1031|1.5|1033\" (String)");
    EXPECT_EQ(evalText(in, "SetLocale(1036)"), "#5 Invalid procedure call or argument");
    Interpreter other(german);
    EXPECT_EQ(evalText(other, "CStr(1.5)"), "\"1,5\" (String)");
    EXPECT_EQ(evalText(in, "SetLocale(0) & \"|\" & CStr(1.5)"), "\"1033|1,5\" (String)");
}

} // namespace
} // namespace vbs::test
