#include "builtins_eval.h"

namespace vbs {

namespace fn {

// Table entries only: the executor recognises them by address and runs them itself.
ErrorCode Eval(Runtime&, const Variant*, int, Variant&) {
    return ErrorCode::InvalidCall;
}
ErrorCode Execute(Runtime&, const Variant*, int, Variant&) {
    return ErrorCode::InvalidCall;
}
ErrorCode ExecuteGlobal(Runtime&, const Variant*, int, Variant&) {
    return ErrorCode::InvalidCall;
}
ErrorCode GetRef(Runtime&, const Variant*, int, Variant&) {
    return ErrorCode::InvalidCall;
}

} // namespace fn

} // namespace vbs
