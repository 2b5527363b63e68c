// run_vbscript: our VBScript interpreter alone, without the calculator around it, for timing the
// interpreter against another language's own interpreter binary. quorvix-eval measures the same
// work through the calculator's evaluation command and carries Qt's start-up; this does not.
//
// usage: run_vbscript [-e TEXT]...
//        run_vbscript --replay FILE...
//   TEXT beginning with "!" is run as statements; any other TEXT is evaluated and its value
//   printed. Numbers print with ".", dates in the US form. Stops with status 1 at the first error,
//   printing its description.
//   --replay runs each file as the interpreter's fuzz target does (its bytes as Latin-1, first as
//   an expression, then as statements, in a fresh interpreter with a 200 ms limit) and prints one
//   line per file with the value or the error's number, position and text of each: two builds
//   whose replays of one corpus print the same lines behave the same on it.

#include "interpreter.h"
#include "values/convert.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
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
    const vbs::Result<std::u16string> answer = vbs::toText(*value, vbs::NumberLocale{});
    if (!answer.ok()) {
        return fail("the value has no text (an array or an object)");
    }
    std::puts(narrow(answer.value()).c_str());
    return true;
}

std::string errorLine(const vbs::ScriptError& error) {
    return "error " + std::to_string(error.number) + " at " +
           (error.position ? std::to_string(*error.position) : std::string("-")) + ": " +
           narrow(error.description);
}

void replay(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::u16string source;
    for (const char c : bytes) {
        source.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    vbs::InterpreterOptions options;
    options.timeLimit = std::chrono::milliseconds(200);
    vbs::Interpreter interpreter(options);
    std::string line;
    if (const std::optional<vbs::Variant> value = interpreter.eval(source)) {
        const vbs::Result<std::u16string> answer = vbs::toText(*value, vbs::NumberLocale{});
        line = answer.ok() ? "value " + narrow(answer.value()) : std::string("value without text");
    } else {
        line = errorLine(interpreter.lastError());
    }
    line += interpreter.execute(source) ? " | ran" : " | " + errorLine(interpreter.lastError());
    std::printf("%s: %s\n", path, line.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--replay") {
        for (int i = 2; i < argc; ++i) {
            replay(argv[i]);
        }
        return 0;
    }
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
