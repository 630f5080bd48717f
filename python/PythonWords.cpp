#include "python/PythonWords.h"

namespace korvane::python {

std::string pythonWords(const QString& message)
{
    QString words = message;
    if (words.startsWith(QLatin1String("--formula: ")))
        words.remove(0, 11);
    return words.toStdString();
}

} // namespace korvane::python
