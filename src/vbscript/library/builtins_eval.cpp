#include "builtins_eval.h"

namespace vbs {

namespace fn {

// Table entries only: the executor recognises them by address and runs them itself.
Outcome Eval(Runtime&, const Variant*, int, Variant&) {
    return Outcome::InvalidCall;
}
Outcome Execute(Runtime&, const Variant*, int, Variant&) {
    return Outcome::InvalidCall;
}
Outcome ExecuteGlobal(Runtime&, const Variant*, int, Variant&) {
    return Outcome::InvalidCall;
}
Outcome GetRef(Runtime&, const Variant*, int, Variant&) {
    return Outcome::InvalidCall;
}

} // namespace fn

} // namespace vbs
