#include "SaidaAlteracoes.h"

#include "ArquivoAlteracoes.h"
#include "EConversao.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString Destino(const QString& arquivo) {
    const QFileInfo info(arquivo);
    return info.isSymLink() ? info.canonicalFilePath() : arquivo;
}

} // namespace

TSaidaAlteracoes::TSaidaAlteracoes(const QString& arquivo) : m_arquivo(arquivo), m_saida(Destino(arquivo)) {}

TSaidaAlteracoes::~TSaidaAlteracoes() = default;

bool TSaidaAlteracoes::Abre() {
    if (!m_saida.open(QIODevice::WriteOnly)) {
        return Falha(m_saida.errorString());
    }
    try {
        m_escritor = std::make_unique<TArquivoAlteracoes>(m_saida, false);
    } catch (const std::exception& e) {
        return Falha(MensagemDe(e));
    }
    return true;
}

IRegistroAlteracoes& TSaidaAlteracoes::Registro() {
    return *m_escritor;
}

bool TSaidaAlteracoes::Conclui() {
    if (!m_escritor) {
        return false;
    }
    try {
        m_escritor->Conclui();
    } catch (const std::exception& e) {
        return Falha(MensagemDe(e));
    }
    return m_saida.commit() || Falha(m_saida.errorString());
}

bool TSaidaAlteracoes::Falha(const QString& motivo) {
    QTextStream(stderr) << "Não foi possível gravar o registro de alterações em \""
                        << QDir::toNativeSeparators(m_arquivo) << "\": " << motivo << "\n";
    return false;
}
