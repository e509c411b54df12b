#include "Game/AppEntry.h"
#include "Game/Bots/SimulateCommand.h"
#include "Game/CommandLine.h"

#include <iostream>
#include <string>
#include <vector>

// POSIX keeps only the low 8 bits of the returned code (6000 -> 112, 5000 -> 136, 6010 -> 122);
// the full code is the last line of gamelog.txt.
int main(int argc, char** argv)
{
    // Rounds on the rules alone need no window, no engine start and no log file.
    const std::vector<std::string> rawArguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (Snake::IsSimulateCommand(rawArguments))
        return Snake::RunSimulateCommand(rawArguments, std::cout, std::cerr);
    int result = 0;
    {
        const Lib::DynamicArray<Lib::String> arguments = Snake::BuildArgumentList(argc, argv);
        result = static_cast<int>(Snake::AppEntry(arguments));
    }
    return result;
}
