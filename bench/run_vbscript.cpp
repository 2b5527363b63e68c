// run_vbscript: our VBScript interpreter alone, without the calculator around it, for timing the
// interpreter against another language's own interpreter binary. quorvix-eval measures the same
// work through the calculator's evaluation command and carries Qt's start-up; this does not.
//
// usage: run_vbscript [-e TEXT]...
//   TEXT beginning with "!" is run as statements; any other TEXT is evaluated and its value
//   printed. Numbers print with ".", dates in the US form. Stops with status 1 at the first error,
//   printing its description.

#include "convert.h"
#include "interpreter.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Arguments are ASCII scripts here; a byte above 127 is refused rather than guessed at.
bool toUtf16(std::string_view text, std::u16string& out) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 127) {
            return false;
        }
        out.push_back(static_cast<char16_t>(c));
    }
    return true;
}

std::string narrow(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        bytes.push_back(c < 128 ? static_cast<char>(c) : '?');
    }
    return bytes;
}

bool fail(const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return false;
}

bool run(vbs::Interpreter& interpreter, const std::u16string& text) {
    if (!text.empty() && text.front() == u'!') {
        return interpreter.execute(std::u16string_view(text).substr(1)) ||
               fail(narrow(interpreter.lastError().description).c_str());
    }
    const std::optional<vbs::Variant> value = interpreter.eval(text);
    if (!value) {
        return fail(narrow(interpreter.lastError().description).c_str());
    }
    std::u16string answer;
    if (vbs::toText(*value, vbs::NumberLocale{}, answer) != vbs::Outcome::Normal) {
        return fail("the value has no text (an array or an object)");
    }
    std::puts(narrow(answer).c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    vbs::Interpreter interpreter;
    for (int i = 1; i < argc; ++i) {
        std::u16string text;
        if (std::string_view(argv[i]) != "-e" || i + 1 >= argc || !toUtf16(argv[++i], text)) {
            std::fputs("usage: run_vbscript [-e TEXT]... (ASCII text)\n", stderr);
            return 2;
        }
        if (!run(interpreter, text)) {
            return 1;
        }
    }
    return 0;
}
