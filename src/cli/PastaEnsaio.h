#pragma once

#include <QString>
#include <QTemporaryDir>

/// The working folder of a rehearsal, which holds a whole copy of the database:
/// "<temporary folder>/conversor-tavrin-ensaio-<process id>-XXXXXX", removed when the object ends.
/// A killed process cannot remove its own; every later rehearsal removes those whose process is
/// gone.
class TPastaEnsaio {
public:
    TPastaEnsaio();

    bool Valida() const { return m_pasta.isValid(); }
    QString Erro() const { return m_pasta.errorString(); }
    QString Caminho(const QString& nomeArquivo) const { return m_pasta.filePath(nomeArquivo); }

    /// Removes, in the temporary folder, the rehearsal folders of this user whose process no
    /// longer exists. Returns how many.
    static int RemoveAbandonadas();

private:
    QTemporaryDir m_pasta;
};
