// Linked into every test program: they are built apart from the game, so the script host is not
// beside them where the game would look for it. The variable is set before any test runs, and
// only when the environment does not name a host already.
#include <cstdlib>

namespace
{
[[maybe_unused]] const bool k_ScriptHostNamed = setenv("VORL_SCRIPT_HOST", VORL_SCRIPT_HOST_PATH, 0) == 0;
} // namespace
