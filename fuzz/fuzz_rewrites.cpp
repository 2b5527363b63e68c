// The shorthand rewrites on arbitrary text: no crash, and the rewrite only ever adds "*" pairs,
// a leading "Ans " or the exponent shorthand.
#include "input_rewrites.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString starred = quorvix::insertImplicitMultiplication(input);
    if (starred.size() < input.size() || starred.size() > 2 * input.size()) {
        std::abort();
    }
    for (auto language : {quorvix::ScriptLanguage::VBScript, quorvix::ScriptLanguage::JavaScript}) {
        const auto rewritten = quorvix::rewriteInput(input, language);
        if (rewritten.text.size() > starred.size() + 8) {
            std::abort();
        }
    }
    return 0;
}
