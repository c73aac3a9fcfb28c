#include "BancoTemporario.h"

#include "BancoTeste.h"
#include "TQueryDestino.h"

TBancoTemporario::TBancoTemporario() : m_caminho(m_pasta.filePath(QStringLiteral("destino.fb"))) {
    CriaBancoTeste(m_caminho);
}

std::unique_ptr<TConexaoDestino> TBancoTemporario::Conecta() const {
    auto conexao = std::make_unique<TConexaoDestino>();
    conexao->SetNomeBanco(m_caminho);
    conexao->Abre();
    return conexao;
}

std::vector<QMap<QString, QString>> TBancoTemporario::Linhas(const QString& sql) const {
    auto conexao = Conecta();
    std::vector<QMap<QString, QString>> linhas;
    {
        TQueryDestino q(*conexao);
        q.SetSQL(sql);
        q.Abre();
        const QStringList nomes = q.NomesCampos();
        while (!q.Eof()) {
            QMap<QString, QString> linha;
            for (const QString& nome : nomes) {
                linha.insert(nome, q.CampoNulo(nome) ? QStringLiteral("<NULL>") : q.CampoTexto(nome));
            }
            linhas.push_back(linha);
            q.Proximo();
        }
    }
    conexao->Transacao().Cancela();
    return linhas;
}

QString TBancoTemporario::Valor(const QString& sql) const {
    auto conexao = Conecta();
    QString valor;
    {
        TQueryDestino q(*conexao);
        q.SetSQL(sql);
        q.Abre();
        if (!q.Eof()) {
            valor = q.CampoTexto(q.NomesCampos().value(0));
        }
    }
    conexao->Transacao().Cancela();
    return valor;
}

void TBancoTemporario::Executa(const QString& sql) const {
    auto conexao = Conecta();
    TQueryDestino q(*conexao);
    q.SetSQL(sql);
    q.Executa();
    conexao->Transacao().Confirma();
}
