// Linked into every test program: they are built apart from the game, so the script host is not
// beside them where the game would look for it. The variable is set before any test runs, and
// only when the environment does not name a host already.
#include <cstdlib>

namespace
{
#ifdef _WIN32
bool NameScriptHost()
{
    // _putenv_s replaces; a host named by the environment is kept as on Linux.
    return std::getenv("VORL_SCRIPT_HOST") != nullptr ||
           _putenv_s("VORL_SCRIPT_HOST", VORL_SCRIPT_HOST_PATH) == 0;
}
[[maybe_unused]] const bool k_ScriptHostNamed = NameScriptHost();
#else
[[maybe_unused]] const bool k_ScriptHostNamed = setenv("VORL_SCRIPT_HOST", VORL_SCRIPT_HOST_PATH, 0) == 0;
#endif
} // namespace
