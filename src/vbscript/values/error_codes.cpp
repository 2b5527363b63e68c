#include "error_codes.h"

namespace vbs {
namespace {

struct ErrorEntry {
    int number;
    const char16_t* text;
};

constexpr ErrorEntry kErrors[] = {
#define VBS_ERROR_ROW(name, number, text) {number, u"" text},
    VBS_ERROR_LIST(VBS_ERROR_ROW)
#undef VBS_ERROR_ROW
};

} // namespace

bool hasErrorText(int number) {
    for (const ErrorEntry& e : kErrors) {
        if (e.number == number) {
            return true;
        }
    }
    return false;
}

std::u16string errorText(int number) {
    for (const ErrorEntry& e : kErrors) {
        if (e.number == number) {
            return e.text;
        }
    }
    return u"Unknown runtime error";
}

} // namespace vbs
