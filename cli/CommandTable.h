#pragma once

#include "cli/CommandLine.h"

#include <QStringView>

#include <span>

namespace korvane::cli {

// A command's part of tpp2m --help; texts hold their lines separated by '\n'.
struct CommandHelp {
    const char* usage = nullptr;        // its lines under Usage, after "tpp2m "
    const char* text = nullptr;         // its explanation under Commands; none for --help
    const char* examples = nullptr;     // command lines shown under the explanation
    const char* note = nullptr;         // a further paragraph after the examples,
    const char* noteExamples = nullptr; // with examples of its own
    bool spacedAbove = false;           // an empty line above it under Commands
};

struct CommandRow {
    CommandKind kind;
    const char* name; // as typed, "list"
    CommandHelp help;
};

// Every command, in the order of the help text.
std::span<const CommandRow> commandTable();

// The command typed as `name`; nullptr for none.
const CommandRow* findCommand(QStringView name);

} // namespace korvane::cli
