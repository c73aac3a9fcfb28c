#pragma once

class QCoreApplication;

/// Loads Qt's own Brazilian Portuguese translation (standard buttons, file dialog, message box
/// details) into the application, which owns it. False when the translation is not installed;
/// the window then still works, with Qt's texts in English.
bool InstalaTraducaoQt(QCoreApplication& aplicacao);
