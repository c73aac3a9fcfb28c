#include "DespejoBanco.h"

#include "ConfiguracaoRegional.h"
#include "DataHora.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <utility>
#include <vector>

namespace {

enum class TipoColuna { Texto, Inteiro, Real, Data };

// RDB$FIELD_TYPE codes of the column types our schema uses.
TipoColuna TipoDoCodigo(qint64 codigo) {
    switch (codigo) {
    case 7:  // SMALLINT
    case 8:  // INTEGER
    case 16: // BIGINT
        return TipoColuna::Inteiro;
    case 10: // FLOAT
    case 27: // DOUBLE PRECISION
        return TipoColuna::Real;
    case 12: // DATE
    case 35: // TIMESTAMP (a dialect-1 DATE)
        return TipoColuna::Data;
    default:
        return TipoColuna::Texto;
    }
}

QString Escapa(const QString& texto) {
    QString r;
    r.reserve(texto.size());
    for (const QChar c : texto) {
        if (c == u'\\' || c == u'|') {
            r += u'\\';
            r += c;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            r += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            r += c;
        }
    }
    return r;
}

// Today's date as the writers put it into texts.
QString TrocaHoje(QString texto, const QStringList& formasHoje) {
    for (const QString& forma : formasHoje) {
        texto.replace(forma, QStringLiteral("<HOJE>"));
    }
    return texto;
}

} // namespace

std::map<QString, QStringList> DespejaBanco(const QString& caminho) {
    const QDate dia = Hoje();
    const QStringList formasHoje{dia.toString(QStringLiteral("dd/MM/yyyy")), dia.toString(QStringLiteral("dd.MM.yyyy")),
                                 dia.toString(QStringLiteral("ddMMyyyy"))};

    TConexaoDestino conexao;
    conexao.SetNomeBanco(caminho);
    conexao.Abre();
    std::map<QString, QStringList> r;
    TQueryDestino q(conexao);
    q.SetSQL(QStringLiteral("SELECT TRIM(R.RDB$RELATION_NAME) AS TABELA, TRIM(C.RDB$FIELD_NAME) AS COLUNA, "
                            "F.RDB$FIELD_TYPE AS TIPO FROM RDB$RELATIONS R "
                            "JOIN RDB$RELATION_FIELDS C ON C.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
                            "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = C.RDB$FIELD_SOURCE "
                            "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND R.RDB$VIEW_BLR IS NULL "
                            "ORDER BY R.RDB$RELATION_NAME, C.RDB$FIELD_POSITION"));
    std::map<QString, std::vector<std::pair<QString, TipoColuna>>> colunas;
    for (q.Abre(); !q.Eof(); q.Proximo()) {
        colunas[q.CampoTexto(QStringLiteral("TABELA"))].emplace_back(
            q.CampoTexto(QStringLiteral("COLUNA")), TipoDoCodigo(q.CampoInteiro(QStringLiteral("TIPO"))));
    }
    q.Fecha();
    for (const auto& [tabela, lista] : colunas) {
        QStringList cabecalho;
        for (const auto& coluna : lista) {
            cabecalho << coluna.first;
        }
        QStringList linhas;
        q.SetSQL(QStringLiteral("SELECT * FROM ") + tabela);
        for (q.Abre(); !q.Eof(); q.Proximo()) {
            QStringList campos;
            for (const auto& [coluna, tipo] : lista) {
                if (q.CampoNulo(coluna)) {
                    campos << QStringLiteral("<NULL>");
                    continue;
                }
                switch (tipo) {
                case TipoColuna::Inteiro:
                    campos << QString::number(q.CampoInteiro(coluna));
                    break;
                case TipoColuna::Real:
                    campos << QString::number(q.CampoDouble(coluna), 'g', 17);
                    break;
                case TipoColuna::Data: {
                    const QDateTime valor = TDateTimeParaDataHora(q.CampoDataHora(coluna));
                    campos << (valor.date() == dia
                                   ? QStringLiteral("<HOJE>") + valor.toString(QStringLiteral(" hh:mm:ss"))
                                   : valor.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
                    break;
                }
                case TipoColuna::Texto:
                    campos << TrocaHoje(Escapa(q.CampoTexto(coluna)), formasHoje);
                    break;
                }
            }
            linhas << campos.join(u'|');
        }
        q.Fecha();
        linhas.sort();
        linhas.prepend(cabecalho.join(u'|'));
        r[tabela] = linhas;
    }
    q.SetSQL(QStringLiteral("SELECT TRIM(RDB$GENERATOR_NAME) AS NOME FROM RDB$GENERATORS "
                            "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
    QStringList geradores;
    for (q.Abre(); !q.Eof(); q.Proximo()) {
        geradores << q.CampoTexto(QStringLiteral("NOME"));
    }
    q.Fecha();
    for (const QString& nome : geradores) {
        q.SetSQL(QStringLiteral("SELECT GEN_ID(%1, 0) AS V FROM RDB$DATABASE").arg(nome));
        q.Abre();
        r[QStringLiteral("gerador ") + nome] << q.CampoTexto(QStringLiteral("V"));
        q.Fecha();
    }
    conexao.Transacao().Cancela();
    return r;
}

QString DespejoComoTexto(const std::map<QString, QStringList>& despejo) {
    QString texto;
    for (const auto& [tabela, linhas] : despejo) {
        texto += QStringLiteral("== ") + tabela + u'\n';
        for (const QString& linha : linhas) {
            texto += linha + u'\n';
        }
    }
    return texto;
}

std::map<QString, QStringList> DespejoDeTexto(const QString& texto) {
    std::map<QString, QStringList> r;
    QStringList* atual = nullptr;
    QStringList linhas = texto.split(u'\n');
    if (!linhas.isEmpty() && linhas.last().isEmpty()) {
        linhas.removeLast(); // the text ends with a line break
    }
    for (const QString& linha : linhas) {
        if (linha.startsWith(QLatin1String("== "))) {
            atual = &r[linha.mid(3)];
        } else if (atual) {
            *atual << linha;
        }
    }
    return r;
}
