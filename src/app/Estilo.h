#pragma once

#include <QFont>
#include <QString>

/// Applies a visual style the program carries, by its name ("Turquoise Gray"). Returns false,
/// changing nothing, for a name the program does not know or a style sheet it cannot read.
/// Needs the QApplication to exist.
bool AplicaEstilo(const QString& nome);

/// The window's font: Tahoma at the given pixel height when installed, otherwise the closest
/// sans-serif the system has.
QFont FonteJanela(int pixels, bool negrito = false);
