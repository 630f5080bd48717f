#include "python/PythonWords.h"

namespace korvane::python {

std::string pythonWords(const QString& message)
{
    QString words = message;
    if (words.startsWith(QLatin1String("--formula: ")))
        words.remove(0, 11);
    const char* const names[][2] = {{"--photon-energy", "photon_energy"}, {"--source", "source"}, {"--line", "line"}};
    for (const auto& [option, argument] : names)
        words.replace(QLatin1String(option), QLatin1String(argument));
    return words.toStdString();
}

} // namespace korvane::python
