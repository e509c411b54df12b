#include "Game/AppEntry.h"
#include "Game/CommandLine.h"

// POSIX keeps only the low 8 bits of the returned code (6000 -> 112, 5000 -> 136, 6010 -> 122);
// the full code is the last line of gamelog.txt.
int main(int argc, char** argv)
{
    int result = 0;
    {
        const Lib::DynamicArray<Lib::String> arguments = Snake::BuildArgumentList(argc, argv);
        result = static_cast<int>(Snake::AppEntry(arguments));
    }
    return result;
}
