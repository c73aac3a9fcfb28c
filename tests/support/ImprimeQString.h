#pragma once

// Lets GoogleTest print QString values (alone or inside containers such as QStringList) as
// readable text in failure messages instead of a dump of their 16-bit code units. Include it
// in a test file before the assertions that compare QStrings.
#include <QString>

#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}
