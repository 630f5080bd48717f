// The argument handling of tpp2m: the input, split at NUL bytes, is the
// argument list. Every list is either a command or one line naming the
// mistake.
#include "cli/CommandLine.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QStringList arguments;
    for (const QByteArray& argument : QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0'))
        arguments << QString::fromUtf8(argument);
    const korvane::Result<korvane::cli::Command> parsed = korvane::cli::parseCommandLine(arguments);
    if (parsed.error().find('\n') != std::string::npos)
        std::abort();
    return 0;
}
