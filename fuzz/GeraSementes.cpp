// Writes the seed corpora of the fuzz targets:
//   gera_sementes_fuzz SAIDA [PASTA...]
// SAIDA/leitor_dbf gets tables written by the project's own DBF writer in each layout the reader
// knows (dBASE III/IV/7, FoxPro, Visual FoxPro, the three memo formats, deleted records, code
// pages, lying headers), plus every table (with its memo) found in the folders given, such as
// the output of `conversor-tavrin gerar-exemplo`. SAIDA/lexico_sql gets statement texts of the
// kinds the writers send and the test target schema script.
#include "EConversao.h"
#include "EntradaDbf.h"
#include "EsquemaTeste.h"
#include "LexicoSql.h"
#include "TEscritorDbf.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <vector>

namespace {

// Seeds bigger than this only slow the fuzzer down.
constexpr qsizetype kMaiorSemente = 64 * 1024;

int g_gravadas = 0;

void GravaSemente(const QString& pasta, const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > kMaiorSemente) {
        return;
    }
    const QString nome = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    QFile arquivo(QDir(pasta).filePath(nome));
    if (arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) && arquivo.write(bytes) == bytes.size()) {
        ++g_gravadas;
    }
}

QByteArray Le(const QString& caminho) {
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

QString Achado(const QDir& pasta, const QString& nome) {
    for (const QString& existente : pasta.entryList(QDir::Files)) {
        if (existente.compare(nome, Qt::CaseInsensitive) == 0) {
            return pasta.filePath(existente);
        }
    }
    return {};
}

// Packs a table with its memo file (if any) and, for tables without a language driver, also with
// each forced code page.
void EmpacotaTabela(const QString& saida, const QString& caminhoDbf) {
    const QFileInfo info(caminhoDbf);
    const QDir pasta = info.dir();
    TEntradaDbf entrada;
    entrada.tabela = Le(caminhoDbf);
    const QString dbt = Achado(pasta, info.completeBaseName() + QStringLiteral(".DBT"));
    const QString fpt = Achado(pasta, info.completeBaseName() + QStringLiteral(".FPT"));
    if (!fpt.isEmpty()) {
        entrada.memo = TEntradaDbf::Fpt;
        entrada.arquivoMemo = Le(fpt);
    } else if (!dbt.isEmpty()) {
        entrada.memo = TEntradaDbf::Dbt;
        entrada.arquivoMemo = Le(dbt);
    }
    GravaSemente(saida, entrada.Empacota());
    if (entrada.tabela.size() > 29 && entrada.tabela[29] == 0) {
        entrada.paginaForcada = PaginaCodigo::CP1252;
        GravaSemente(saida, entrada.Empacota());
    }
}

struct TModelo {
    const char* nome;
    std::vector<TDefinicaoCampo> campos;
    TEscritorDbf::Opcoes opcoes;
    int registros;
    std::function<bool(TEscritorDbf&, int)> preenche;
    std::function<void(QByteArray&)> estraga; ///< damages the written table, when set
};

const QStringList kTextos = {
    QStringLiteral("AÇÚCAR CRISTAL 5KG"),         QStringLiteral("Pão de queijo congelado"),
    QStringLiteral("O'Brien & \"Filhos\" Ltda."), QStringLiteral("  blank nas pontas  "),
    QStringLiteral("ÁÉÍÓÚ àèìòù ÂÊÔ ãõ çÇ ñ"),    QString(),
};

bool PreencheComum(TEscritorDbf& e, int i) {
    e.Texto(QStringLiteral("CODIGO"), QString::number(1000 + i));
    e.Texto(QStringLiteral("PRODUTO"), kTextos[i % kTextos.size()]);
    e.Numero(QStringLiteral("PRECO"), 12.5 * i - 3);
    e.Data(QStringLiteral("ULTREAJ"), i % 3 == 0 ? QDate() : QDate(2001 + i, 1 + i % 12, 1 + i % 28));
    e.Logico(QStringLiteral("ATIVO"), i % 3 == 0 ? std::nullopt : std::optional<bool>(i % 2 == 0));
    return i % 4 != 3; // every fourth record deleted
}

std::vector<TDefinicaoCampo> CamposComuns() {
    return {{QStringLiteral("CODIGO"), 'C', 6},
            {QStringLiteral("PRODUTO"), 'C', 40},
            {QStringLiteral("PRECO"), 'N', 12, 2},
            {QStringLiteral("ULTREAJ"), 'D', 8},
            {QStringLiteral("ATIVO"), 'L', 1}};
}

std::vector<TModelo> Modelos() {
    std::vector<TModelo> m;
    m.push_back({"dbase3", CamposComuns(), {}, 6, PreencheComum, {}});

    TEscritorDbf::Opcoes semLdid;
    semLdid.ldid = 0; // the reader detects CP850 / CP1252 from the letters
    m.push_back({"detecta850", CamposComuns(), semLdid, 6, PreencheComum, {}});
    semLdid.pagina = PaginaCodigo::CP1252;
    m.push_back({"detecta1252", CamposComuns(), semLdid, 6, PreencheComum, {}});

    auto comMemo = [](FormatoMemoEscrita formato, int larguraPonteiro, std::uint8_t versao, int bloco) {
        TModelo modelo{"memo", CamposComuns(), {}, 5, {}, {}};
        modelo.campos.push_back({QStringLiteral("OBS"), 'M', larguraPonteiro});
        modelo.opcoes.memo = formato;
        modelo.opcoes.versao = versao;
        modelo.opcoes.tamanhoBlocoMemo = bloco;
        modelo.opcoes.ldid = 0;
        modelo.preenche = [](TEscritorDbf& e, int i) {
            const bool vivo = PreencheComum(e, i);
            e.Memo(QStringLiteral("OBS"),
                   i % 2 ? QStringLiteral("Observação %1\r\nlinha dois, ção").arg(i) : QString());
            return vivo;
        };
        return modelo;
    };
    m.push_back(comMemo(FormatoMemoEscrita::DbtIII, 10, 0, 512));
    m.push_back(comMemo(FormatoMemoEscrita::DbtIV, 10, 0, 64));
    m.push_back(comMemo(FormatoMemoEscrita::Fpt, 10, 0, 64));
    m.push_back(comMemo(FormatoMemoEscrita::Fpt, 4, 0x30, 64)); // Visual FoxPro, binary pointer

    TModelo binarios{"binarios",
                     {{QStringLiteral("CODIGO"), 'C', 6},
                      {QStringLiteral("INTEIRO"), 'I', 4},
                      {QStringLiteral("DOBRO"), 'B', 8},
                      {QStringLiteral("MOEDA"), 'Y', 8},
                      {QStringLiteral("MOMENTO"), 'T', 8},
                      {QStringLiteral("REAL"), 'F', 10, 3},
                      {QStringLiteral("NULAVEL"), 'C', 5, 0, 0x02},
                      {QStringLiteral("_NullFlags"), '0', 1, 0, 0x05}},
                     {},
                     4,
                     {},
                     {}};
    binarios.opcoes.versao = 0x30;
    binarios.preenche = [](TEscritorDbf& e, int i) {
        e.Texto(QStringLiteral("CODIGO"), QString::number(i));
        e.Bruto(QStringLiteral("INTEIRO"), QByteArray("\x01\x02\x03\x80", 4).left(1 + i));
        e.Bruto(QStringLiteral("DOBRO"), QByteArray("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8));
        e.Bruto(QStringLiteral("MOEDA"), QByteArray("\x10\x27\x00\x00\x00\x00\x00\x00", 8));
        e.Bruto(QStringLiteral("MOMENTO"), QByteArray("\x8C\x88\x25\x00\x40\x77\x1B\x00", 8));
        e.Texto(QStringLiteral("REAL"), i % 2 ? QStringLiteral("1.5E+3") : QStringLiteral("-0.125"));
        e.Bruto(QStringLiteral("_NullFlags"), QByteArray(1, static_cast<char>(i % 2)));
        return true;
    };
    m.push_back(binarios);

    TModelo dbase7{"dbase7",
                   {{QStringLiteral("CODIGO"), 'C', 6},
                    {QStringLiteral("AUTO"), '+', 4},
                    {QStringLiteral("LONGO"), 'I', 4},
                    {QStringLiteral("DUPLO"), 'O', 8},
                    {QStringLiteral("QUANDO"), '@', 8}},
                   {},
                   3,
                   {},
                   {}};
    dbase7.opcoes.versao = 0x04;
    dbase7.preenche = [](TEscritorDbf& e, int i) {
        e.Texto(QStringLiteral("CODIGO"), QString::number(i));
        e.Bruto(QStringLiteral("AUTO"), QByteArray("\x80\x00\x00", 3) + QByteArray(1, static_cast<char>(i + 1)));
        e.Bruto(QStringLiteral("LONGO"), QByteArray("\x7F\xFF\xFF\xFE", 4));
        e.Bruto(QStringLiteral("DUPLO"), QByteArray("\xC0\x24\x00\x00\x00\x00\x00\x00", 8));
        e.Bruto(QStringLiteral("QUANDO"), QByteArray("\x42\xCC\xB6\x0E\x80\x00\x00\x00", 8));
        return true;
    };
    m.push_back(dbase7);

    TModelo clipper{
        "clipper", {{QStringLiteral("CODIGO"), 'C', 6}, {QStringLiteral("TEXTOLONGO"), 'C', 300}}, {}, 3, {}, {}};
    clipper.preenche = [](TEscritorDbf& e, int i) {
        e.Texto(QStringLiteral("CODIGO"), QString::number(i));
        e.Texto(QStringLiteral("TEXTOLONGO"), QString(250, QLatin1Char('x')) + QStringLiteral("ção"));
        return true;
    };
    m.push_back(clipper);

    // Damaged files: a header that lies about the count, a cut file, no end mark, bad values.
    TModelo mentiroso{"contagem", CamposComuns(), {}, 5, PreencheComum, {}};
    mentiroso.opcoes.quantRegistrosCabecalho = 1000;
    m.push_back(mentiroso);
    TModelo semFim{"semfim", CamposComuns(), {}, 5, PreencheComum, {}};
    semFim.opcoes.marcaFim = false;
    m.push_back(semFim);
    TModelo cortado{"cortado", CamposComuns(), {}, 5, PreencheComum, [](QByteArray& b) { b.chop(17); }};
    m.push_back(cortado);
    TModelo valoresRuins{"valores", CamposComuns(), {}, 4, {}, {}};
    valoresRuins.preenche = [](TEscritorDbf& e, int i) {
        e.Texto(QStringLiteral("CODIGO"), QString::number(i));
        e.Bruto(QStringLiteral("PRECO"), QByteArray(i % 2 ? "  12,50.3" : "***********"));
        e.Bruto(QStringLiteral("ULTREAJ"), QByteArray(i % 2 ? "20231340" : "2023O101"));
        e.Bruto(QStringLiteral("ATIVO"), QByteArray("?"));
        return true;
    };
    m.push_back(valoresRuins);
    return m;
}

void GeraTabelas(const QString& saida) {
    QTemporaryDir trabalho;
    for (const TModelo& modelo : Modelos()) {
        const QString caminho = QDir(trabalho.path()).filePath(QStringLiteral("TABEST1.DBF"));
        for (const QString& nome : QDir(trabalho.path()).entryList(QDir::Files)) {
            QFile::remove(QDir(trabalho.path()).filePath(nome));
        }
        try {
            TEscritorDbf escritor(caminho, modelo.campos, modelo.opcoes);
            for (int i = 0; i < modelo.registros; ++i) {
                escritor.NovoRegistro();
                const bool vivo = modelo.preenche(escritor, i);
                escritor.GravaRegistro(!vivo);
            }
            escritor.Fecha();
        } catch (const EConversao& e) {
            QTextStream(stderr) << "semente " << modelo.nome << " não gerada: " << e.Mensagem() << "\n";
            continue;
        }
        if (modelo.estraga) {
            QByteArray bytes = Le(caminho);
            modelo.estraga(bytes);
            QFile arquivo(caminho);
            if (arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                arquivo.write(bytes);
            }
        }
        EmpacotaTabela(saida, caminho);
    }
}

void GeraSql(const QString& saida) {
    const QStringList textos = {
        QStringLiteral(
            "INSERT INTO GRUPROD (CODGRUPO, DESCRICAO, DIASMIN, DIASMAX) VALUES (:CODGRUPO, :DESCRICAO, 0, 0)"),
        QStringLiteral("Insert Into relprfo (relprfo.codprod, relprfo.codfornec, relprfo.principal) Values "
                       "(:Produto, :Fornecedor, \"S\")"),
        QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME, OBSERVACAO) VALUES ('000001', 'D''AVILA :NAO', "
                       "'linha -- nao e comentario /* nem isto */')"),
        QStringLiteral("UPDATE PRODUTO SET DESCRICAO = \"A \"\"B\"\" :C\" WHERE CODPROD = :COD AND X = :cod"),
        QStringLiteral("SELECT CODIGO FROM FAMILIA WHERE DESCRICAO = :DESCRICAO -- :COMENTARIO\n AND 1 = 1"),
        QStringLiteral("/* :X */ SELECT MAX(CODCIDADE) FROM CIDADES"),
        QStringLiteral("Delete from PRODUTO"),
        QStringLiteral("Commit;"),
        QStringLiteral("COMMIT WORK;;"),
        QStringLiteral("  commit /* fim */ work ; "),
        QStringLiteral("ROLLBACK RETAIN SNAPSHOT"),
        QStringLiteral("ROLLBACK TO SAVEPOINT S1"),
        QStringLiteral("ALTER TRIGGER MVGERAL_AI0 INACTIVE"),
        QStringLiteral("EXECUTE BLOCK AS DECLARE V INTEGER; BEGIN SELECT 1 FROM RDB$DATABASE INTO :V; END"),
        QStringLiteral("SET TERM ^ ;\nCREATE TRIGGER T FOR X AS BEGIN NEW.A = :B; END^\nSET TERM ; ^\nCOMMIT;"),
        QStringLiteral("INSERT INTO X VALUES ('unterminated"),
        QStringLiteral("SELECT :A, :a, :_b$1, ::C, :1 FROM Y"),
        QStringLiteral("INSERT INTO PRODUTO (CODPROD, PRECO, DT, OBS, QTD, ATIVO) VALUES ('000001', 12.50, "
                       "'05.03.2014', NULL, -3, \"N\")"),
        QStringLiteral("UPDATE PRODUTO SET PRECO = 1.5, DESCRICAO = 'X''Y', P.Q = .25 WHERE CODPROD = '000001' AND "
                       "A = -2 OR (B = 7)"),
        QStringLiteral("DELETE FROM MVGERAL WHERE CODPROD = '1' /* fim */"),
        QStringLiteral("SELECT * FROM CIDADES WHERE (CIDADE = 'A') OR NOT ESTADO = 'MG' ORDER BY 1"),
        QStringLiteral("UPDATE T SET A = (SELECT 1 FROM R WHERE R.X = 2), B = 3 WHERE C = 9223372036854775807"),
        QStringLiteral("INSERT INTO T VALUES (1e5, 0x1F, 12abc, 1.2.3, 0.000000000000000000001, q'{x}')"),
        QStringLiteral("05.03.2014"),
        QStringLiteral("5/3/14 13:45:07.25"),
        QStringLiteral("2014-03-05"),
        QStringLiteral("05-MAR-2014"),
        QStringLiteral("TOMORROW"),
        QStringLiteral("31.02.2020"),
    };
    for (const QString& texto : textos) {
        GravaSemente(saida, texto.toUtf8());
    }
    const QString esquema = QString::fromLatin1(EsquemaTesteSql());
    GravaSemente(saida, esquema.toUtf8().left(kMaiorSemente));
    for (const QString& instrucao : DivideScript(esquema)) {
        GravaSemente(saida, instrucao.toUtf8());
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments().mid(1);
    if (argumentos.isEmpty()) {
        QTextStream(stderr) << "Uso: gera_sementes_fuzz SAIDA [PASTA_COM_TABELAS...]\n";
        return 2;
    }
    const QDir saida(argumentos.first());
    const QString dbf = saida.filePath(QStringLiteral("leitor_dbf"));
    const QString sql = saida.filePath(QStringLiteral("lexico_sql"));
    if (!QDir().mkpath(dbf) || !QDir().mkpath(sql)) {
        QTextStream(stderr) << "Não foi possível criar " << saida.path() << "\n";
        return 1;
    }
    GeraTabelas(dbf);
    for (const QString& pasta : argumentos.mid(1)) {
        const QDir origem(pasta);
        for (const QString& nome : origem.entryList(QDir::Files)) {
            if (nome.endsWith(QLatin1String(".DBF"), Qt::CaseInsensitive)) {
                EmpacotaTabela(dbf, origem.filePath(nome));
            }
        }
    }
    GeraSql(sql);
    QTextStream(stdout) << g_gravadas << " sementes em " << saida.path() << "\n";
    return 0;
}
