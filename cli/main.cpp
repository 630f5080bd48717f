#include "cli/Tpp2m.h"

#include <cstdio>

// tpp2m: the command-line calculator over the same physics and materials
// database as the window.
int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return korvane::cli::runTpp2m(arguments, stdout, stderr);
}
