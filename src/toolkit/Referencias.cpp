// Find-or-create lookups in the target's reference tables: a text from the source becomes the
// code the target keys it by, creating the row with the next free code when it is missing.

#include "classConversao.h"

#include "EConversao.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"
#include "ui/InterfaceUsuario.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

namespace {

const QChar kRetornoCarro(13);

using Parametros = std::initializer_list<std::pair<const char*, QString>>;

// Every statement starts from a closed query with fresh text; parameters are all text.
void Prepara(TQueryDestino& q, const QString& sql, Parametros parametros) {
    q.Fecha();
    q.SetSQL(sql);
    for (const auto& [nome, valor] : parametros) {
        q.ParamTexto(QLatin1String(nome), valor);
    }
}

void Executa(TQueryDestino& q, const QString& sql, Parametros parametros) {
    Prepara(q, sql, parametros);
    q.Executa();
}

// The code column of the first row found; nothing when there is no row or its code is NULL.
std::optional<QString> Procura(TQueryDestino& q, const QString& sql, const QString& coluna,
                               Parametros parametros = {}) {
    Prepara(q, sql, parametros);
    q.Abre();
    std::optional<QString> codigo;
    if (!q.Eof() && !q.CampoNulo(coluna)) {
        codigo = q.CampoTexto(coluna);
    }
    q.Fecha();
    return codigo;
}

// The table's highest code plus one, zero-padded; the first code when the table has none.
// A highest code that is not a whole number raises.
QString ProximoCodigo(TQueryDestino& q, const QString& tabela, const QString& coluna, const QString& primeiro,
                      int largura) {
    Prepara(q, QStringLiteral("SELECT MAX(%1) AS %1 FROM %2").arg(coluna, tabela), {});
    q.Abre();
    const QString maximo = q.Eof() ? QString() : Trim(q.CampoTexto(coluna));
    q.Fecha();
    if (maximo.isEmpty()) {
        return primeiro;
    }
    bool ok = false;
    const qint64 valor = maximo.toLongLong(&ok);
    if (!ok) {
        throw EConversao(QStringLiteral("'%1' não é um valor inteiro válido").arg(maximo));
    }
    return TConversao::StrZero(QString::number(valor + 1), largura);
}

// A table keyed by a generated code and looked up by one text column.
struct TabelaReferencia {
    const char* tabela;
    const char* colunaCodigo;
    const char* colunaTexto;
    const char* primeiroCodigo;
    int largura;
};

// The code of the row holding the text, if any.
std::optional<QString> ProcuraTexto(TQueryDestino& q, const TabelaReferencia& t, const QString& texto) {
    const QString codigo = QLatin1String(t.colunaCodigo);
    return Procura(q,
                   QStringLiteral("SELECT %1 FROM %2 WHERE %3 = :%3")
                       .arg(codigo, QLatin1String(t.tabela), QLatin1String(t.colunaTexto)),
                   codigo, {{t.colunaTexto, texto}});
}

// A new row for the text, under the table's next code; the row is left to the caller's transaction.
QString Cria(TQueryDestino& q, const TabelaReferencia& t, const QString& texto) {
    const QString tabela = QLatin1String(t.tabela);
    const QString codigo = QLatin1String(t.colunaCodigo);
    const QString novo = ProximoCodigo(q, tabela, codigo, QLatin1String(t.primeiroCodigo), t.largura);
    Executa(
        q,
        QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (:%2, :%3)").arg(tabela, codigo, QLatin1String(t.colunaTexto)),
        {{t.colunaCodigo, novo}, {t.colunaTexto, texto}});
    return novo;
}

QString BuscaOuCria(TQueryDestino& q, const TabelaReferencia& t, const QString& texto) {
    if (auto achado = ProcuraTexto(q, t, texto)) {
        return *achado;
    }
    return Cria(q, t, texto);
}

// A table looked up by a name cut to `corte` whose new rows are committed at once; an empty name
// creates none. Failures are shown as a warning and consumed, so the conversion goes on with the
// code known so far.
QString BuscaOuCriaConfirmando(TQueryDestino& q, const TabelaReferencia& t, int corte, const char* aviso,
                               const QString& nome, const std::function<void(const QString&)>& aposCriar = {}) {
    try {
        const QString texto = Copia(nome, 1, corte);
        if (auto achado = ProcuraTexto(q, t, texto)) {
            return *achado;
        }
        if (texto.isEmpty()) {
            return QString();
        }
        const QString novo = Cria(q, t, texto);
        Executa(q, QStringLiteral("COMMIT"), {});
        if (aposCriar) {
            aposCriar(novo);
        }
        // Only a code whose row was written is handed back.
        return novo;
    } catch (const std::exception& e) {
        MostraAviso(QLatin1String(aviso) + kRetornoCarro + MensagemDe(e));
    }
    return QString();
}

// The key a given group code is looked up by. Codes of digits only are compared as numbers,
// so "7", "07" and "0007" all find the stored "007"; any other text is compared as it is,
// padded to three.
QString CodigoDeBusca(const QString& codigo) {
    const bool soDigitos =
        !codigo.isEmpty() && std::all_of(codigo.begin(), codigo.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!soDigitos) {
        return TConversao::StrZero(codigo, 3);
    }
    qsizetype zeros = 0;
    while (zeros < codigo.size() - 1 && codigo[zeros] == u'0') {
        ++zeros;
    }
    return TConversao::StrZero(codigo.mid(zeros), 3);
}

// The last three characters of a code, zero-padded to three.
QString Ultimos3(const QString& codigo) {
    return TConversao::StrZero(Copia(codigo, codigo.size() - 2, 3), 3);
}

QString BuscaOuCriaClassificacao(TQueryDestino& q, const QString& ncm, const QString& nbm) {
    if (Trim(ncm).isEmpty()) {
        return QString();
    }
    // Looked up by the very value written, so a padded or overlong NCM finds its row again.
    const QString codigoNcm = Copia(Trim(ncm), 1, 8);
    if (auto achado = Procura(q, QStringLiteral("SELECT CODCLASFIS FROM CLASFISC WHERE CODIGONCM = :CODIGONCM"),
                              QStringLiteral("CODCLASFIS"), {{"CODIGONCM", codigoNcm}})) {
        return *achado;
    }
    const QString proximo =
        ProximoCodigo(q, QStringLiteral("CLASFISC"), QStringLiteral("CODCLASFIS"), QStringLiteral("0001"), 4);
    const QString novo = TConversao::StrZero(Copia(proximo, 1, 4), 4);
    Executa(q,
            QStringLiteral("INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM, CODNBM, CODNATRECEITA) "
                           "VALUES (:CODCLASFIS, :CODIGONCM, :CODNBM, :CODNATRECEITA)"),
            {{"CODCLASFIS", novo},
             {"CODIGONCM", codigoNcm},
             {"CODNBM", Copia(Trim(nbm), 1, 8)},
             {"CODNATRECEITA", QStringLiteral("999")}});
    return novo;
}

} // namespace

QString TConversao::FCidade(const QString& cidade, const QString& estado, const QString& codMunicipio) {
    const QString chave = QStringLiteral("CIDADE\x1f") + cidade + QChar(0x1f) + estado;
    if (const auto lembrada = m_referencias.constFind(chave); lembrada != m_referencias.cend()) {
        return lembrada.value();
    }
    const QString nome = MaiusculasAscii(cidade);
    const QString uf = MaiusculasAscii(estado);
    const auto lembra = [&](const QString& codigo) {
        m_referencias.insert(chave, codigo);
        return codigo;
    };
    if (!ComBanco()) {
        return lembra(CodigoProvisorio("CIDADES", nome + QChar(0x1f) + uf, 1, 5));
    }
    TQueryDestino& q = *QAuxiliar;
    const QString codigo = QStringLiteral("CODCIDADE");

    if (auto achado =
            Procura(q, QStringLiteral("SELECT CODCIDADE FROM CIDADES WHERE CIDADE = :CIDADE AND ESTADO = :ESTADO"),
                    codigo, {{"CIDADE", nome}, {"ESTADO", uf}})) {
        return lembra(*achado);
    }
    // The legacy data abbreviates Belo Horizonte; whatever state it is filed under is taken.
    if (cidade == QLatin1String("BHTE")) {
        if (auto achado =
                Procura(q, QStringLiteral("SELECT CODCIDADE FROM CIDADES WHERE CIDADE = 'BELO HORIZONTE'"), codigo)) {
            return lembra(*achado);
        }
    }
    const QString novo = ProximoCodigo(q, QStringLiteral("CIDADES"), codigo, QStringLiteral("00001"), 5);
    Executa(q,
            QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, CODMUNICIPIO, ESTADO) "
                           "VALUES (:CODCIDADE, :CIDADE, :CODMUNICIPIO, :ESTADO)"),
            {{"CODCIDADE", novo}, {"CIDADE", nome}, {"CODMUNICIPIO", codMunicipio}, {"ESTADO", uf}});
    return lembra(novo);
}

QString TConversao::FSegmento(const QString& segmento) {
    const QString chave = QStringLiteral("SEGMENTO\x1f") + segmento;
    if (const auto lembrado = m_referencias.constFind(chave); lembrado != m_referencias.cend()) {
        return lembrado.value();
    }
    const QString codigo = ComBanco() ? BuscaOuCria(*QAuxiliar, {"CADSEGM", "CODSEGMENTO", "DESCRICAO", "001", 3},
                                                    MaiusculasAscii(segmento))
                                      : CodigoProvisorio("CADSEGM", MaiusculasAscii(segmento), 1, 3);
    m_referencias.insert(chave, codigo);
    return codigo;
}

QString TConversao::FUnidade(const QString& vfUnid) {
    // The unit text is its own key: the result is always the text, the lookup only makes sure
    // the unit exists.
    const QString unidade = MaiusculasAscii(Copia(vfUnid, 1, 6));
    if (!ComBanco()) {
        return unidade;
    }
    const QString chave = QStringLiteral("UNIDADE\x1f") + unidade;
    if (m_referencias.contains(chave)) {
        return unidade;
    }
    try {
        TQueryDestino& q = *QAuxiliar;
        Prepara(q, QStringLiteral("Select UNIDADE from UNIDADES Where UNIDADE = :PUNIDADE"), {{"PUNIDADE", unidade}});
        q.Abre();
        const bool existe = !q.Eof();
        q.Fecha();
        if (!existe) {
            Executa(q, QStringLiteral("Insert Into UNIDADES (UNIDADE) Values(:PUNIDADE)"), {{"PUNIDADE", unidade}});
        }
        m_referencias.insert(chave, unidade); // only once it is known to exist
    } catch (const std::exception&) {
        MostraAviso(QStringLiteral("Erro ao converter Unidade."));
    }
    return unidade;
}

QString TConversao::FGrupo(const QString& grupo) {
    if (!ComBanco()) {
        return CodigoProvisorio("GRUPROD", MaiusculasAscii(grupo), 1, 3);
    }
    return BuscaOuCria(*QAuxiliar, {"GRUPROD", "CODGRUPO", "DESCRICAO", "001", 3}, MaiusculasAscii(grupo));
}

QString TConversao::FGrupoComCodigoPredefinido(const QString& codGrupo, const QString& descricao) {
    if (!ComBanco()) {
        return codGrupo;
    }
    TQueryDestino& q = *QAuxiliar;
    // The code comes from outside: it is bound as a value, never made part of the SQL text.
    const QString codigo = StrZero(codGrupo, 3);
    if (!Procura(q, QStringLiteral("SELECT CODGRUPO FROM GRUPROD WHERE CODGRUPO = :CODGRUPO"),
                 QStringLiteral("CODGRUPO"), {{"CODGRUPO", CodigoDeBusca(codGrupo)}})) {
        Executa(q, QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES (:CODGRUPO, :DESCRICAO)"),
                {{"CODGRUPO", codigo}, {"DESCRICAO", MaiusculasAscii(Copia(descricao, 1, 30))}});
    }
    return codGrupo;
}

QString TConversao::FSubGrupoComCodigoPredefinido(const QString& codGrupo, const QString& codSubgrupo,
                                                  const QString& descricao) {
    if (!ComBanco()) {
        return codSubgrupo;
    }
    TQueryDestino& q = *QAuxiliar;
    // Looked up by the same three-character codes that are written, bound as values.
    const QString grupo = Ultimos3(codGrupo);
    const QString subgrupo = Ultimos3(codSubgrupo);
    if (!Procura(q,
                 QStringLiteral("SELECT CODGRUPO, CODSUBGRUPO FROM SUBGRUP "
                                "WHERE CODGRUPO = :CODGRUPO AND CODSUBGRUPO = :CODSUBGRUPO"),
                 QStringLiteral("CODSUBGRUPO"), {{"CODGRUPO", grupo}, {"CODSUBGRUPO", subgrupo}})) {
        Executa(
            q,
            QStringLiteral("INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO) "
                           "VALUES (:CODGRUPO, :CODSUBGRUPO, :DESCRICAO)"),
            {{"CODGRUPO", grupo}, {"CODSUBGRUPO", subgrupo}, {"DESCRICAO", MaiusculasAscii(Copia(descricao, 1, 30))}});
    }
    return codSubgrupo;
}

QString TConversao::FAplicacao(const QString& aplicacao, const QString& codProd) {
    if (!ComBanco()) {
        const QString texto = Copia(aplicacao, 1, 15);
        return texto.isEmpty() ? QString() : CodigoProvisorio("APLICACOES", texto, 1, 4);
    }
    TQueryDestino& q = *QAuxiliar;
    // A new application is linked to the product it came with, and that link is committed too.
    return BuscaOuCriaConfirmando(
        q, {"APLICACOES", "CODAPLIC", "APLICACAO", "0001", 4}, 15, "Erro ao converter Aplicações. Motivo: ", aplicacao,
        [&q, &codProd](const QString& codigo) {
            Executa(q, QStringLiteral("INSERT INTO PRODAPLIC (CODAPLIC, CODPROD) VALUES (:PCODAPLIC, :PCODPROD)"),
                    {{"PCODAPLIC", codigo}, {"PCODPROD", codProd}});
            Executa(q, QStringLiteral("COMMIT"), {});
        });
}

QString TConversao::FFabricante(const QString& fabricante) {
    if (!ComBanco()) {
        const QString texto = Copia(fabricante, 1, 30);
        return texto.isEmpty() ? QString() : CodigoProvisorio("CADFABR", texto, 1, 5);
    }
    return BuscaOuCriaConfirmando(*QAuxiliar, {"CADFABR", "CODFABRIC", "DESCRICAO", "00001", 5}, 30,
                                  "Erro ao converter Fabricante. Motivo: ", fabricante);
}

QString TConversao::FFamilia(const QString& familia) {
    if (!ComBanco()) {
        const QString texto = Copia(familia, 1, 30);
        return texto.isEmpty() ? QString() : CodigoProvisorio("FAMILIA", texto, 1, 2);
    }
    return BuscaOuCriaConfirmando(*QAuxiliar, {"FAMILIA", "CODIGO", "DESCRICAO", "01", 2}, 30,
                                  "Erro ao converter Família. Motivo: ", familia);
}

QString TConversao::FPais(const QString& pais) {
    if (!ComBanco()) {
        return CodigoProvisorio("PAISES", MaiusculasAscii(Copia(pais, 1, 60)), 1, 4);
    }
    return BuscaOuCria(*QAuxiliar, {"PAISES", "CODPAIS", "NOMEPAIS", "0001", 4}, MaiusculasAscii(Copia(pais, 1, 60)));
}

QString TConversao::FClasCli(const QString& clasCli) {
    if (!ComBanco()) {
        return CodigoProvisorio("CLASCLI", MaiusculasAscii(Copia(clasCli, 1, 20)), 1, 3);
    }
    return BuscaOuCria(*QAuxiliar, {"CLASCLI", "CODCLASCLI", "DESCRICAO", "001", 3},
                       MaiusculasAscii(Copia(clasCli, 1, 20)));
}

QString TConversao::FLocalProd(const QString& localProd) {
    if (!ComBanco()) {
        return CodigoProvisorio("LOCALPROD", MaiusculasAscii(Copia(localProd, 1, 20)), 1, 8);
    }
    return BuscaOuCria(*QAuxiliar, {"LOCALPROD", "CODLOCAL", "DESCRICAO", "00000001", 8},
                       MaiusculasAscii(Copia(localProd, 1, 20)));
}

QString TConversao::FLocProd(const QString& locProd) {
    if (!ComBanco()) {
        return CodigoProvisorio("LOCPROD", MaiusculasAscii(Copia(locProd, 1, 20)), 1, 8);
    }
    return BuscaOuCria(*QAuxiliar, {"LOCPROD", "CODLOCAL", "DESCRICAO", "00000001", 8},
                       MaiusculasAscii(Copia(locProd, 1, 20)));
}

QString TConversao::FClassificacaoFiscal(const QString& ncm, const QString& nbm) {
    if (!ComBanco()) {
        return Trim(ncm).isEmpty() ? QString() : CodigoProvisorio("CLASFISC", Copia(Trim(ncm), 1, 8), 1, 4);
    }
    return BuscaOuCriaClassificacao(*QAuxiliar, ncm, nbm);
}

QString TConversao::FRetornaCodClasFis(const QString& clasFis) {
    if (!ComBanco()) {
        return FClassificacaoFiscal(clasFis, clasFis);
    }
    return BuscaOuCriaClassificacao(*QAuxiliar, clasFis, clasFis);
}

QString TConversao::FRetornaMaquina(const QString& pNumSerie) {
    if (!ComBanco()) {
        return QString();
    }
    TQueryDestino q(*cnBanco);
    return Procura(q, QStringLiteral("SELECT MAQUINA FROM PDVFISC WHERE NUMSERIE = :PNUMSERIE"),
                   QStringLiteral("MAQUINA"), {{"PNUMSERIE", pNumSerie}})
        .value_or(QString());
}
