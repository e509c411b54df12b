#pragma once
// Whether a standard stream is a terminal, for output that is drawn differently for a person
// watching than for a file or a pipe.
namespace Lib
{
bool StandardErrorIsTerminal();
} // namespace Lib
