#pragma once

#include <QStringList>

#include <vector>

/// Lines of cells as a plain-text table, two blanks between columns: the columns `numeros` marks are
/// figures, aligned right, the others texts, aligned left. A line has no blanks at its ends.
QStringList AlinhaColunas(const std::vector<QStringList>& linhas, const std::vector<bool>& numeros);
