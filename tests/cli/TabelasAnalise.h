#pragma once

// The five source tables with every field their mappings read, written record by record from texts:
// numbers and dates go in as raw characters, so a test can write values no program should have written.
#include "../unit/FixturesDbf.h"

#include <QDir>
#include <QMap>
#include <QString>

#include <vector>

/// One record: field name -> value; `excluido` writes it marked deleted.
struct TRegistroFonte {
    QMap<QString, QString> valores;
    bool excluido = false;
};

inline std::vector<TDefinicaoCampo> CamposTabela(const QString& tabela) {
    auto c = [](const char* nome, char tipo, int tamanho, int decimais = 0) {
        return TDefinicaoCampo{QLatin1String(nome), tipo, tamanho, decimais};
    };
    if (tabela == QLatin1String("TABVEND")) {
        return {c("CONTROLE", 'C', 6), c("NOME", 'C', 30), c("COMISSAO", 'N', 6, 2)};
    }
    if (tabela == QLatin1String("TABCLI")) {
        return {c("CODIGO", 'C', 8),     c("NOME", 'C', 45),      c("ENDERECO", 'C', 50),  c("BAIRRO", 'C', 25),
                c("ESTADO", 'C', 2),     c("CIDADE", 'C', 25),    c("CEP", 'C', 10),       c("CGC", 'C', 20),
                c("INSC", 'C', 18),      c("OBS", 'M', 10),       c("CONTATO", 'C', 30),   c("TELEFONE", 'C', 25),
                c("FAX", 'C', 15),       c("LKVENDEDOR", 'N', 4), c("ATIVIDADE", 'C', 30), c("DATA", 'D', 8),
                c("NASCIMENTO", 'D', 8), c("TAGFISICA", 'C', 12)};
    }
    if (tabela == QLatin1String("TABFOR")) {
        return {c("CONTROLE", 'C', 8), c("EMPRESA", 'C', 40), c("ENDERECO", 'C', 50), c("BAIRRO", 'C', 25),
                c("ESTADO", 'C', 2),   c("CIDADE", 'C', 25),  c("CEP", 'C', 10),      c("CGC", 'C', 20),
                c("INSC", 'C', 18),    c("EMAIL", 'C', 40),   c("CONTATO", 'C', 30),  c("TELEFONE", 'C', 25),
                c("FAX", 'C', 15)};
    }
    if (tabela == QLatin1String("TABEST8")) {
        return {c("CONTROLE", 'C', 6), c("SETOR", 'C', 40)};
    }
    return {c("CODIGO", 'C', 8),          c("PRODUTO", 'C', 60),       c("LKSETOR", 'C', 5),
            c("LKFORNEC", 'N', 6),        c("UNIDADE", 'C', 8),        c("PRECOVENDA", 'N', 14, 3),
            c("ESTMINIMO", 'N', 10, 3),   c("LUCRO", 'N', 8, 2),       c("ULTREAJ", 'D', 8),
            c("BASECALCULO", 'N', 10, 2), c("PRECOCUSTO", 'N', 12, 2), c("CUSTOMEDIO", 'N', 12, 4),
            c("QUANTIDADE", 'N', 12, 3)};
}

/// Writes `tabela`.DBF in `pasta` with its fields, less those named in `sem`. Texts as text, memos as
/// memos (a value starting with "@" is written as the raw pointer after it), numbers right-aligned and
/// dates as their raw characters.
inline void EscreveFonte(const QString& pasta, const QString& tabela, const std::vector<TRegistroFonte>& registros,
                         const QStringList& sem = {}) {
    std::vector<TDefinicaoCampo> campos;
    for (const TDefinicaoCampo& campo : CamposTabela(tabela)) {
        if (!sem.contains(campo.nome)) {
            campos.push_back(campo);
        }
    }
    GravaTabela(QDir(pasta).filePath(tabela + QStringLiteral(".DBF")), campos, static_cast<int>(registros.size()),
                [&](TEscritorDbf& e, int i) {
                    const TRegistroFonte& r = registros[static_cast<std::size_t>(i)];
                    for (const TDefinicaoCampo& campo : campos) {
                        const QString valor = r.valores.value(campo.nome);
                        if (valor.isEmpty()) {
                            continue;
                        }
                        if (campo.tipo == 'C') {
                            e.Texto(campo.nome, valor);
                        } else if (campo.tipo == 'M' && !valor.startsWith(QLatin1Char('@'))) {
                            e.Memo(campo.nome, valor);
                        } else {
                            const QString bruto = campo.tipo == 'M' ? valor.mid(1) : valor;
                            e.Bruto(campo.nome, bruto.rightJustified(campo.tamanho).toLatin1());
                        }
                    }
                    return !r.excluido;
                });
}
