#pragma once

#include "ast.h"

namespace vbs {

// Whether evaluating the parsed expression `e` can change nothing a later run or the user could
// see: only literals, operators, script-level variables and constants that hold plain values,
// and the built-ins that do nothing but give their result. An object is never read, as reading
// one may run its default member; no procedure of the script is ever called.
bool previewAllowed(const Expr& e);

} // namespace vbs
