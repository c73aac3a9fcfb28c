// The product writers' setters, resets and statement texts, without a database.
#include "CompProd.h"
#include "ConfiguracaoRegional.h"
#include "EConversao.h"
#include "ImprimeQString.h"
#include "LinhaComoTexto.h"
#include "Produto.h"
#include "ProdutoDetalhe.h"
#include "ProdutosController.h"
#include "TConexaoDestino.h"
#include "TEscritorDbf.h"
#include "TQueryOrigem.h"

#include <QDate>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Splits a comma-separated list at the top level, outside '...' literals.
QStringList DivideLista(const QString& lista) {
    QStringList partes;
    QString atual;
    bool emTexto = false;
    int nivel = 0;
    for (const QChar c : lista) {
        if (c == QLatin1Char('\'')) {
            emTexto = !emTexto;
        } else if (!emTexto && c == QLatin1Char('(')) {
            ++nivel;
        } else if (!emTexto && c == QLatin1Char(')')) {
            --nivel;
        } else if (!emTexto && nivel == 0 && c == QLatin1Char(',')) {
            partes << atual.trimmed();
            atual.clear();
            continue;
        }
        atual += c;
    }
    partes << atual.trimmed();
    return partes;
}

// The columns and values of an "Insert Into T (cols) Values (vals)" text, in order.
struct TInsercao {
    QStringList colunas;
    QStringList valores;
    QString Valor(const QString& coluna) const {
        const auto i = colunas.indexOf(coluna);
        return i < 0 ? QStringLiteral("<ausente>") : valores.at(i);
    }
};

TInsercao LeInsercao(const QString& sql) {
    const auto abre = sql.indexOf(QLatin1Char('('));
    const auto meio = sql.indexOf(QStringLiteral("Values"), 0, Qt::CaseInsensitive);
    const auto fechaColunas = sql.lastIndexOf(QLatin1Char(')'), meio);
    const auto abreValores = sql.indexOf(QLatin1Char('('), meio);
    const auto fechaValores = sql.lastIndexOf(QLatin1Char(')'));
    TInsercao r;
    r.colunas = DivideLista(sql.mid(abre + 1, fechaColunas - abre - 1));
    r.valores = DivideLista(sql.mid(abreValores + 1, fechaValores - abreValores - 1));
    return r;
}

// "Update T set a = 1, b = 'x' where T.K = 'v'": the assignments in order and the condition.
struct TAtualizacao {
    QStringList colunas;
    QStringList valores;
    QString condicao;
    QString Valor(const QString& coluna) const {
        const auto i = colunas.indexOf(coluna);
        return i < 0 ? QStringLiteral("<ausente>") : valores.at(i);
    }
};

TAtualizacao LeAtualizacao(const QString& sql) {
    const auto set = sql.indexOf(QStringLiteral(" set "));
    const auto onde = sql.lastIndexOf(QStringLiteral(" where "));
    TAtualizacao r;
    for (const QString& atribuicao : DivideLista(sql.mid(set + 5, onde - set - 5))) {
        const auto igual = atribuicao.indexOf(QLatin1Char('='));
        r.colunas << atribuicao.left(igual).trimmed();
        r.valores << atribuicao.mid(igual + 1).trimmed();
    }
    r.condicao = sql.mid(onde + 7).trimmed();
    return r;
}

TDateTime Data(int ano, int mes, int dia) { return DataParaTDateTime(QDate(ano, mes, dia)); }

class TesteProduto : public ::testing::Test {
protected:
    // Never opened: building statements needs no database.
    TConexaoDestino conexao;
};

TEST_F(TesteProduto, EscritorNovoInsereOsPadroesEm103Colunas) {
    TConverteProduto p(conexao);
    const TInsercao ins = LeInsercao(LinhaComoTexto(p.MontaSqlInsercao()));

    ASSERT_EQ(ins.colunas.size(), 103);
    ASSERT_EQ(ins.valores.size(), 103);
    const QMap<QString, QString> especiais = {
        {QStringLiteral("Produto.CODPROD"), QStringLiteral("'000000'")},
        {QStringLiteral("Produto.TIPOPROD"), QStringLiteral("'R'")},
        {QStringLiteral("Produto.ATIVO"), QStringLiteral("'S'")},
        {QStringLiteral("Produto.PRODBLOQUEADO"), QStringLiteral("'N'")},
        {QStringLiteral("Produto.UNIDADEENT"), QStringLiteral("'UN'")},
        {QStringLiteral("Produto.UNIDADESAIDA"), QStringLiteral("'UN'")},
    };
    for (int i = 0; i < ins.colunas.size(); ++i) {
        const QString& coluna = ins.colunas[i];
        const QString& valor = ins.valores[i];
        if (especiais.contains(coluna)) {
            EXPECT_EQ(valor, especiais[coluna]) << coluna.toStdString();
        } else {
            EXPECT_TRUE(valor == QLatin1String("''") || valor == QLatin1String("0")) << coluna.toStdString();
        }
    }
    EXPECT_TRUE(
        LinhaComoTexto(p.MontaSqlInsercao()).startsWith(QStringLiteral("Insert Into Produto (Produto.CODPROD, ")));
}

TEST_F(TesteProduto, ColunasOpcionaisEntramSoQuandoHaValor) {
    struct Caso {
        const char* nome;
        std::function<void(TConverteProduto&)> preenche;
        QStringList presentes;
    };
    const QStringList todas = {QStringLiteral("Produto.DT_CADASTRO"), QStringLiteral("Produto.Data_Ult_Ent1"),
                               QStringLiteral("Produto.Data_Ult_Reajuste"),
                               QStringLiteral("Produto.Data_Ult_Alteracao")};
    const std::vector<Caso> casos = {
        {"nenhuma", [](TConverteProduto&) {}, {}},
        {"1900 explicito", [](TConverteProduto& p) { p.SetData_Ult_Rea(Data(1900, 1, 1)); }, {}},
        {"cadastro", [](TConverteProduto& p) { p.SetDt_Cadastro(QStringLiteral("05.03.2014")); }, {todas[0]}},
        {"reajuste", [](TConverteProduto& p) { p.SetData_Ult_Rea(Data(2014, 3, 5)); }, {todas[2]}},
        {"todas",
         [](TConverteProduto& p) {
             p.SetDt_Cadastro(QStringLiteral("01.02.2003"));
             p.SetData_Ult_Ent(Data(2010, 1, 2));
             p.SetData_Ult_Rea(Data(2014, 3, 5));
             p.SetData_Ult_Alteracao(Data(1899, 12, 31));
         },
         todas},
    };
    for (const Caso& caso : casos) {
        TConverteProduto p(conexao);
        caso.preenche(p);
        const TInsercao ins = LeInsercao(LinhaComoTexto(p.MontaSqlInsercao()));
        EXPECT_EQ(ins.colunas.size(), 103 + caso.presentes.size()) << caso.nome;
        EXPECT_EQ(ins.valores.size(), ins.colunas.size()) << caso.nome;
        for (const QString& coluna : todas) {
            EXPECT_EQ(ins.colunas.contains(coluna), caso.presentes.contains(coluna))
                << caso.nome << " " << coluna.toStdString();
        }
    }
}

TEST_F(TesteProduto, DataDeReajusteFicaEntrePrecoPromoEFracionado) {
    TConverteProduto p(conexao);
    p.SetData_Ult_Rea(Data(2014, 3, 5));
    p.SetPrecoPromo(7.5);
    p.SetFracionado(QStringLiteral("S"));
    const TInsercao ins = LeInsercao(LinhaComoTexto(p.MontaSqlInsercao()));

    const auto i = ins.colunas.indexOf(QStringLiteral("Produto.Data_Ult_Reajuste"));
    ASSERT_GT(i, 0);
    EXPECT_EQ(ins.colunas.at(i - 1), QStringLiteral("Produto.PrecoPromo"));
    EXPECT_EQ(ins.colunas.at(i + 1), QStringLiteral("Produto.Fracionado"));
    EXPECT_EQ(ins.valores.at(i - 1), QStringLiteral("7.5"));
    EXPECT_EQ(ins.valores.at(i), QStringLiteral("'05.03.2014'"));
    EXPECT_EQ(ins.valores.at(i + 1), QStringLiteral("'S'"));
}

TEST_F(TesteProduto, NumerosSaemComPontoMesmoComVirgulaRegional) {
    Regional().separadorDecimal = QLatin1Char(',');
    TConverteProduto p(conexao);
    p.SetPreco(1234.5);
    p.SetPeso(0.00005);
    p.SetLucro(1234567.891);
    p.SetDiasEstMinimo(-3);
    const TInsercao ins = LeInsercao(LinhaComoTexto(p.MontaSqlInsercao()));
    EXPECT_EQ(ins.Valor(QStringLiteral("Produto.PRECO")), QStringLiteral("1234.5"));
    EXPECT_EQ(ins.Valor(QStringLiteral("Produto.PESO")), QStringLiteral("5E-5"));
    EXPECT_EQ(ins.Valor(QStringLiteral("Produto.Lucro")), QStringLiteral("1234567.891"));
    EXPECT_EQ(ins.Valor(QStringLiteral("Produto.DIASESTMINIMO")), QStringLiteral("-3"));

    TConverteCompProd c(conexao);
    c.SetEstoque(10.5);
    c.setPrecoMedio(3.25);
    const TInsercao estoque = LeInsercao(LinhaComoTexto(c.MontaSql()));
    EXPECT_EQ(estoque.Valor(QStringLiteral("compprod.estoque")), QStringLiteral("10.5"));
    EXPECT_EQ(estoque.Valor(QStringLiteral("compprod.precomedio")), QStringLiteral("3.25"));
    EXPECT_EQ(estoque.Valor(QStringLiteral("compprod.estoqueDisponivel")), QStringLiteral("0"));

    TConverteProdutoDetalhe d(conexao);
    d.SetALIQPIS(1.65);
    d.SetCODPROD(QStringLiteral("000001"));
    EXPECT_EQ(LeInsercao(LinhaComoTexto(d.MontaSqlInsercao())).Valor(QStringLiteral("ALIQPIS")),
              QStringLiteral("1.65"));
    EXPECT_EQ(LeAtualizacao(LinhaComoTexto(d.MontaSqlAtualizacao())).Valor(QStringLiteral("ALIQPIS")),
              QStringLiteral("1.65"));
}

TEST_F(TesteProduto, SettersLimpamOValorNaOrdemCerta) {
    using Setter = void (TConverteProduto::*)(const QString&);
    using Getter = const QString& (TConverteProduto::*)() const;
    struct Caso {
        const char* nome;
        Setter set;
        Getter get;
        QString entrada;
        QString esperado;
    };
    const QString sessenta = QString(48, QLatin1Char('A')) + QStringLiteral("B C") + QString(9, QLatin1Char('D'));
    const std::vector<Caso> casos = {
        {"CodProd aparado", &TConverteProduto::SetCodProd, &TConverteProduto::CodProd, QStringLiteral(" 12 "),
         QStringLiteral("000012")},
        {"CodProd longo", &TConverteProduto::SetCodProd, &TConverteProduto::CodProd, QStringLiteral("1234567"),
         QStringLiteral("123456")},
        {"CodProd vazio", &TConverteProduto::SetCodProd, &TConverteProduto::CodProd, QString(),
         QStringLiteral("000000")},
        // Cut to 50 first: the 50th character is a blank, which the trim then removes.
        {"Descricao corta e apara", &TConverteProduto::SetDescricao, &TConverteProduto::Descricao, sessenta,
         sessenta.left(49)},
        {"Descricao2 sem aparar", &TConverteProduto::SetDescricao2, &TConverteProduto::Descricao2,
         QStringLiteral(" X "), QStringLiteral(" X ")},
        {"Grupo em branco", &TConverteProduto::SetCodGrupo, &TConverteProduto::CodGrupo, QStringLiteral("  "),
         QString()},
        {"Grupo curto", &TConverteProduto::SetCodGrupo, &TConverteProduto::CodGrupo, QStringLiteral("5"),
         QStringLiteral("005")},
        {"Grupo longo", &TConverteProduto::SetCodGrupo, &TConverteProduto::CodGrupo, QStringLiteral("1234"),
         QStringLiteral("234")},
        {"Subgrupo", &TConverteProduto::SetCodSubGrupo, &TConverteProduto::CodSubGrupo, QStringLiteral("AB"),
         QStringLiteral("0AB")},
        {"Subgrupo vazio", &TConverteProduto::SetCodSubGrupo, &TConverteProduto::CodSubGrupo, QString(), QString()},
        // Padded as passed: the blank stays and counts towards the width.
        {"ClasFis", &TConverteProduto::SetCodClasFis, &TConverteProduto::CodClasFis, QStringLiteral(" 12"),
         QStringLiteral("0 12")},
        {"ClasFis em branco", &TConverteProduto::SetCodClasFis, &TConverteProduto::CodClasFis, QStringLiteral("  "),
         QString()},
        {"Fornecedor", &TConverteProduto::SetPrincipalFornecedor, &TConverteProduto::PrincipalFornecedor,
         QStringLiteral(" 42 "), QStringLiteral("000042")},
        {"Fornecedor em branco", &TConverteProduto::SetPrincipalFornecedor, &TConverteProduto::PrincipalFornecedor,
         QStringLiteral("   "), QString()},
        {"Fabricante", &TConverteProduto::SetFCodFabric, &TConverteProduto::CodFabric, QStringLiteral(" 1234567"),
         QStringLiteral("12345")},
        {"Tributacao", &TConverteProduto::SetCodTribut02, &TConverteProduto::CodTribut02, QStringLiteral(" 6 "),
         QStringLiteral("006")},
        {"Unidade", &TConverteProduto::SetUnidEntrada, &TConverteProduto::UnidEntrada, QStringLiteral("UNIDADE"),
         QStringLiteral("UNIDAD")},
        {"Embalagem", &TConverteProduto::SetEmbalagem, &TConverteProduto::Embalagem,
         QStringLiteral("  CAIXA COM 24 LATAS  "), QStringLiteral("CAIXA COM 24 LA")},
        {"Ativo", &TConverteProduto::SetAtivado, &TConverteProduto::Ativado, QStringLiteral("Sim"),
         QStringLiteral("S")},
    };
    for (const Caso& caso : casos) {
        TConverteProduto p(conexao);
        (p.*caso.set)(caso.entrada);
        EXPECT_EQ((p.*caso.get)(), caso.esperado) << caso.nome;
    }
}

TEST_F(TesteProduto, AspasSimplesSaoDobradas) {
    TConverteProduto p(conexao);
    p.SetDescricao(QStringLiteral("O'BRIEN"));
    EXPECT_EQ(LeInsercao(LinhaComoTexto(p.MontaSqlInsercao())).Valor(QStringLiteral("Produto.DESCRICAO")),
              QStringLiteral("'O''BRIEN'"));
}

TEST_F(TesteProduto, LimpaVariavelGuardaOsQuatroCamposCarregados) {
    TConverteProduto p(conexao);
    p.SetCodProd(QStringLiteral("77"));
    p.SetPreco(9.9);
    p.SetData_Ult_Ent(Data(2020, 1, 1));
    p.SetFracionado(QStringLiteral("S"));
    p.SetPercPerda(2.5);
    p.SetDescontoMaximo(10);
    p.SetPr_Ult_Ent1(3.75);
    p.setMultiplicaDivide(QStringLiteral("M"));

    p.LimpaVariavel();

    EXPECT_EQ(p.CodProd(), QStringLiteral("000000"));
    EXPECT_EQ(p.Preco(), 0.0);
    EXPECT_EQ(p.Data_Ult_Ent(), TConverteProduto::SemData());
    EXPECT_EQ(p.Fracionado(), QString());
    EXPECT_EQ(p.PercPerda(), 2.5);
    EXPECT_EQ(p.DescontoMaximo(), 10.0);
    EXPECT_EQ(p.Pr_Ult_Ent1(), 3.75);
    EXPECT_EQ(p.MultiplicaDivide(), QStringLiteral("M"));
    const TInsercao ins = LeInsercao(LinhaComoTexto(p.MontaSqlInsercao()));
    EXPECT_EQ(ins.Valor(QStringLiteral("Produto.PERCPERDA")), QStringLiteral("2.5"));
    EXPECT_EQ(ins.Valor(QStringLiteral("Produto.Pr_Ult_Ent1")), QStringLiteral("3.75"));
    EXPECT_EQ(ins.Valor(QStringLiteral("Produto.MultDivide")), QStringLiteral("'M'"));
}

TEST_F(TesteProduto, ConstruirFixaOFormatoCurtoDeData) {
    Regional().formatoDataCurta = QStringLiteral("mm/dd/yyyy");
    TConverteProduto p(conexao);
    EXPECT_EQ(Regional().formatoDataCurta, QStringLiteral("dd/mm/yyyy"));
    Regional().formatoDataCurta = QStringLiteral("yyyy/mm/dd");
    TConverteProdutoDetalhe d(conexao);
    EXPECT_EQ(Regional().formatoDataCurta, QStringLiteral("dd/mm/yyyy"));
}

TEST_F(TesteProduto, AtualizacaoTem104AtribuicoesComDatasSempreECadastroNulo) {
    TConverteProduto p(conexao);
    const TAtualizacao upd = LeAtualizacao(LinhaComoTexto(p.MontaSqlAtualizacao()));

    ASSERT_EQ(upd.colunas.size(), 104);
    EXPECT_EQ(upd.condicao, QStringLiteral("Produto.CODPROD = '000000'"));
    EXPECT_TRUE(upd.colunas.contains(QStringLiteral("Produto.ControleLote")));
    EXPECT_FALSE(upd.colunas.contains(QStringLiteral("Produto.CODPROD")));
    EXPECT_FALSE(upd.colunas.contains(QStringLiteral("Produto.AliqISS")));
    EXPECT_FALSE(upd.colunas.contains(QStringLiteral("Produto.grade")));
    EXPECT_EQ(upd.Valor(QStringLiteral("Produto.DT_CADASTRO")), QStringLiteral("NULL"));
    for (const char* coluna : {"Produto.Data_Ult_Ent1", "Produto.Data_Ult_Reajuste", "Produto.Data_Ult_Alteracao"}) {
        EXPECT_EQ(upd.Valor(QLatin1String(coluna)), QStringLiteral("'01.01.1900'")) << coluna;
    }

    p.SetDt_Cadastro(QStringLiteral("05.03.2014"));
    EXPECT_EQ(LeAtualizacao(LinhaComoTexto(p.MontaSqlAtualizacao())).Valor(QStringLiteral("Produto.DT_CADASTRO")),
              QStringLiteral("'05.03.2014'"));
}

TEST_F(TesteProduto, AtualizacaoDePrecoTemOitoAtribuicoes) {
    TConverteProduto p(conexao);
    p.SetCodProd(QStringLiteral("15"));
    p.SetPreco4(0.5);
    const TAtualizacao upd = LeAtualizacao(LinhaComoTexto(p.MontaSqlAtualizacaoPreco()));
    EXPECT_EQ(upd.colunas,
              (QStringList{QStringLiteral("Produto.REFERENCIA"), QStringLiteral("Produto.REFFABRICANTE"),
                           QStringLiteral("Produto.CODGRUPO"), QStringLiteral("Produto.PRINCIPALFORNEC"),
                           QStringLiteral("Produto.PRECO"), QStringLiteral("Produto.PRECO2"),
                           QStringLiteral("Produto.PRECO3"), QStringLiteral("Produto.PRECO4")}));
    EXPECT_EQ(upd.Valor(QStringLiteral("Produto.PRECO4")), QStringLiteral("0.5"));
    EXPECT_EQ(upd.condicao, QStringLiteral("Produto.CODPROD = '000015'"));
}

TEST_F(TesteProduto, EstoqueNovoEOQueOResetNaoToca) {
    TConverteCompProd c(conexao);
    EXPECT_EQ(LeInsercao(LinhaComoTexto(c.MontaSql())).valores,
              (QStringList{QStringLiteral("'000000'"), QStringLiteral("'00'"), QStringLiteral("'0000'"),
                           QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                           QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));

    c.SetCodProd(QStringLiteral("12 "));
    EXPECT_EQ(c.CodProd(), QStringLiteral("00012 "));
    c.SetCodProd(QStringLiteral("1234567"));
    EXPECT_EQ(c.CodProd(), QStringLiteral("1234567"));

    c.SetCodEmpresa(QStringLiteral("01"));
    c.SetEstoque(4);
    c.SetPrecoCusto(2);
    c.SetEstMaximo(50);
    c.SetEstMinimo(5);
    c.setPrecoMedio(1.5);
    c.setEstoqueDisp(3);
    c.setPrecoNf(1.25);
    c.LimpaVariavel();
    EXPECT_EQ(LeInsercao(LinhaComoTexto(c.MontaSql())).valores,
              (QStringList{QStringLiteral("'000000'"), QStringLiteral("'00'"), QStringLiteral("'0000'"),
                           QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("50"),
                           QStringLiteral("1.5"), QStringLiteral("0"), QStringLiteral("1.25")}));
}

// The mapping of a TABEST1 record, read from a real table: a field holding only blanks or control
// characters counts as absent (0, no date, no group), while a value the reader cannot take refuses
// the record, naming the field.
TEST_F(TesteProduto, MapeamentoTomaCampoSoDeControleComoAusenteERecusaOIlegivel) {
    using M = TMapeamentoProdutos;
    struct Caso {
        const char* campo;
        QByteArray bruto;
        QString (*lido)(const M&);
        QString esperado; ///< what `lido` gives, or the refused field's name in the error
        bool recusa = false;
    };
    const auto preco = [](const M& m) { return QString::number(m.Produto().Preco()); };
    const auto estoque = [](const M& m) { return QString::number(m.Estoque().Estoque()); };
    const auto reajuste = [](const M& m) {
        return m.Produto().Data_Ult_Rea() == TConverteProduto::SemData()
                   ? QStringLiteral("sem data")
                   : TDateTimeParaData(m.Produto().Data_Ult_Rea()).toString(Qt::ISODate);
    };
    const auto grupo = [](const M& m) { return m.Produto().CodGrupo(); };
    const std::vector<Caso> casos = {
        {"PRECOVENDA", "12.5", preco, QStringLiteral("12.5")},
        {"PRECOVENDA", "", preco, QStringLiteral("0")},
        {"PRECOVENDA", "  \x01  \x02", preco, QStringLiteral("0")},
        {"PRECOVENDA", "12x", nullptr, QStringLiteral("PRECOVENDA"), true},
        {"QUANTIDADE", "\x1f", estoque, QStringLiteral("0")},
        {"QUANTIDADE", "-0.5", estoque, QStringLiteral("-0.5")},
        {"ULTREAJ", "20140305", reajuste, QStringLiteral("2014-03-05")},
        {"ULTREAJ", "18991230", reajuste, QStringLiteral("1899-12-30")}, // day 0, yet a date
        {"ULTREAJ", "", reajuste, QStringLiteral("sem data")},
        {"ULTREAJ", "\x01", reajuste, QStringLiteral("sem data")},
        {"ULTREAJ", "2014AB05", nullptr, QStringLiteral("ULTREAJ"), true},
        {"LKSETOR", "\x01\x02", grupo, QString()},
        {"LKSETOR", "7", grupo, QStringLiteral("007")},
    };
    QTemporaryDir pasta;
    TEscritorDbf escritor(QDir(pasta.path()).filePath(QStringLiteral("TABEST1.DBF")),
                          {{QStringLiteral("CODIGO"), 'C', 8},
                           {QStringLiteral("PRODUTO"), 'C', 60},
                           {QStringLiteral("LKSETOR"), 'C', 5},
                           {QStringLiteral("LKFORNEC"), 'N', 6},
                           {QStringLiteral("UNIDADE"), 'C', 8},
                           {QStringLiteral("PRECOVENDA"), 'N', 14, 3},
                           {QStringLiteral("ESTMINIMO"), 'N', 10, 3},
                           {QStringLiteral("LUCRO"), 'N', 8, 2},
                           {QStringLiteral("ULTREAJ"), 'D', 8},
                           {QStringLiteral("BASECALCULO"), 'N', 10, 2},
                           {QStringLiteral("PRECOCUSTO"), 'N', 12, 2},
                           {QStringLiteral("CUSTOMEDIO"), 'N', 12, 4},
                           {QStringLiteral("QUANTIDADE"), 'N', 12, 3}});
    for (const Caso& caso : casos) {
        escritor.NovoRegistro();
        escritor.Texto(QStringLiteral("CODIGO"), QStringLiteral("1"));
        const QString campo = QLatin1String(caso.campo);
        const bool numero = campo != QLatin1String("ULTREAJ") && campo != QLatin1String("LKSETOR");
        // Numbers right-justified in their width, as dBASE writes them.
        escritor.Bruto(campo, numero ? caso.bruto.rightJustified(12, ' ') : caso.bruto);
        escritor.GravaRegistro();
    }
    escritor.Fecha();

    TQueryOrigem qry;
    qry.SetNomeBanco(pasta.path());
    qry.SetSQL(QStringLiteral("SELECT * FROM TABEST1"));
    qry.Abre();
    M mapeamento(nullptr);
    for (const Caso& caso : casos) {
        ASSERT_FALSE(qry.Eof());
        const QString nome =
            QStringLiteral("%1 \"%2\"").arg(QLatin1String(caso.campo), QString::fromLatin1(caso.bruto));
        try {
            mapeamento.Preenche(qry);
            EXPECT_FALSE(caso.recusa) << nome.toStdString();
            if (!caso.recusa) {
                EXPECT_EQ(caso.lido(mapeamento), caso.esperado) << nome.toStdString();
            }
        } catch (const EConversao& e) {
            EXPECT_TRUE(caso.recusa) << nome.toStdString() << ": " << e.what();
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("campo %1 ").arg(caso.esperado)))
                << nome.toStdString() << ": " << e.what();
        }
        mapeamento.Descarta();
        qry.Proximo();
    }
}

} // namespace
