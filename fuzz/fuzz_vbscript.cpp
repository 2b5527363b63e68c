// The VBScript interpreter on arbitrary source text, both as an expression and as statements,
// in one interpreter so that state carried between calls is exercised too. Any input must end
// in a value or an error, within the short time limit.
#include "interpreter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vbs::Interpreter interpreter([] {
        vbs::InterpreterOptions options;
        options.timeLimit = std::chrono::milliseconds(200);
        return options;
    }());
    // Bytes are read as Latin-1 so that every byte value reaches the lexer.
    const std::u16string source(data, data + size);
    if (const auto value = interpreter.eval(source); !value) {
        if (interpreter.lastError().description.empty()) {
            std::abort(); // every failure must say what went wrong
        }
    }
    if (!interpreter.execute(source) && interpreter.lastError().description.empty()) {
        std::abort();
    }
    return 0;
}
