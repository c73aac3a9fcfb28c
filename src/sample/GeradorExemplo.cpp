// Sample source tables for tests, demonstrations and benchmarks: the five tables the conversion
// reads, with the fields it reads plus a few it ignores, filled with the kind of data a Brazilian
// retailer's DOS-era system holds (and its mess: masks, blanks, odd quotes, overflowed numbers).
#include "GeradorExemplo.h"

#include "DadosExemplo.h"
#include "EConversao.h"
#include "TEscritorDbf.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <optional>

using namespace exemplo;

namespace {

// A character field: in the hostile sample the wide ones become Clipper long fields of 300.
TDefinicaoCampo Caracter(const char* nome, int largura, bool longoSeHostil, bool hostil) {
    return {QString::fromLatin1(nome), 'C', hostil && longoSeHostil ? 300 : largura, 0, 0};
}

TDefinicaoCampo Numerico(const char* nome, int largura, int decimais = 0) {
    return {QString::fromLatin1(nome), 'N', largura, decimais, 0};
}

TDefinicaoCampo DataCampo(const char* nome) {
    return {QString::fromLatin1(nome), 'D', 8, 0, 0};
}

// Writes one table: `preenche(escritor, sorteio, p)` fills the record of live position p; a deleted
// copy with the same code follows now and then (ExcluidosExemplo).
template <typename Preenche>
TTabelaExemplo GravaTabela(const QString& pasta, const QString& nome, const std::vector<TDefinicaoCampo>& campos,
                           qint64 vivos, std::uint64_t semente, const std::optional<TTextoHostil>& hostil,
                           Preenche preenche) {
    const QString arquivo = nome + QLatin1String(".DBF");
    TEscritorDbf escritor(QDir(pasta).filePath(arquivo), campos, TEscritorDbf::Opcoes{});
    TSorteio sorteio(semente);
    TTabelaExemplo tabela{arquivo, vivos, 0};
    qint64 fisico = 0;
    const auto grava = [&](qint64 posicao, bool excluido) {
        escritor.NovoRegistro();
        preenche(escritor, sorteio, posicao);
        if (hostil) {
            hostil->Sobrescreve(escritor, fisico);
        }
        escritor.GravaRegistro(excluido);
        ++fisico;
    };
    for (qint64 p = 0; p < vivos; ++p) {
        grava(p, false);
        if (p % 37 == 3) {
            grava(p, true);
            ++tabela.excluidos;
        }
    }
    escritor.Fecha();
    return tabela;
}

enum CampoVend { vCONTROLE, vNOME, vCOMISSAO, vFONE, vADMISSAO, vATIVO };

std::vector<TDefinicaoCampo> CamposVendedores(bool hostil) {
    return {Numerico("CONTROLE", 3),    Caracter("NOME", 35, true, hostil),
            Numerico("COMISSAO", 5, 2), Caracter("FONE", 15, false, hostil),
            DataCampo("ADMISSAO"),      {QStringLiteral("ATIVO"), 'L', 1, 0, 0}};
}

enum CampoCli {
    cCODIGO,
    cNOME,
    cENDERECO,
    cBAIRRO,
    cCIDADE,
    cESTADO,
    cCEP,
    cCGC,
    cINSC,
    cOBS,
    cCONTATO,
    cTELEFONE,
    cFAX,
    cLKVENDEDOR,
    cATIVIDADE,
    cDATA,
    cNASCIMENTO,
    cTAGFISICA,
    cLIMITE
};

std::vector<TDefinicaoCampo> CamposClientes(bool hostil) {
    return {Numerico("CODIGO", 8),
            Caracter("NOME", 40, true, hostil),
            Caracter("ENDERECO", 45, true, hostil),
            Caracter("BAIRRO", 20, false, hostil),
            Caracter("CIDADE", 25, false, hostil),
            Caracter("ESTADO", 2, false, hostil),
            Caracter("CEP", 10, false, hostil),
            Caracter("CGC", 18, false, hostil),
            Caracter("INSC", 16, false, hostil),
            {QStringLiteral("OBS"), 'M', 10, 0, 0},
            Caracter("CONTATO", 25, false, hostil),
            Caracter("TELEFONE", 15, false, hostil),
            Caracter("FAX", 15, false, hostil),
            Numerico("LKVENDEDOR", 3),
            Caracter("ATIVIDADE", 30, true, hostil),
            DataCampo("DATA"),
            DataCampo("NASCIMENTO"),
            {QStringLiteral("TAGFISICA"), 'L', 1, 0, 0},
            Numerico("LIMITE", 10, 2)};
}

enum CampoFor {
    fCONTROLE,
    fEMPRESA,
    fFANTASIA,
    fENDERECO,
    fBAIRRO,
    fCIDADE,
    fESTADO,
    fCEP,
    fCGC,
    fINSC,
    fEMAIL,
    fCONTATO,
    fTELEFONE,
    fFAX
};

std::vector<TDefinicaoCampo> CamposFornecedores(bool hostil) {
    return {Numerico("CONTROLE", 6),
            Caracter("EMPRESA", 40, true, hostil),
            Caracter("FANTASIA", 20, false, hostil),
            Caracter("ENDERECO", 40, true, hostil),
            Caracter("BAIRRO", 20, false, hostil),
            Caracter("CIDADE", 25, false, hostil),
            Caracter("ESTADO", 2, false, hostil),
            Caracter("CEP", 10, false, hostil),
            Caracter("CGC", 18, false, hostil),
            Caracter("INSC", 16, false, hostil),
            Caracter("EMAIL", 40, false, hostil),
            Caracter("CONTATO", 20, false, hostil),
            Caracter("TELEFONE", 15, false, hostil),
            Caracter("FAX", 15, false, hostil)};
}

enum CampoGrupo { gCONTROLE, gSETOR, gDESCONTO };

std::vector<TDefinicaoCampo> CamposGrupos(bool hostil) {
    return {Numerico("CONTROLE", 3), Caracter("SETOR", 40, true, hostil), Numerico("DESCONTO", 5, 2)};
}

enum CampoProduto {
    pCODIGO,
    pPRODUTO,
    pLKSETOR,
    pLKFORNEC,
    pUNIDADE,
    pPRECOVENDA,
    pESTMINIMO,
    pLUCRO,
    pULTREAJ,
    pBASECALCULO,
    pPRECOCUSTO,
    pCUSTOMEDIO,
    pQUANTIDADE,
    pREFERENCIA
};

std::vector<TDefinicaoCampo> CamposProdutos(bool hostil) {
    return {Numerico("CODIGO", 6),
            Caracter("PRODUTO", 40, true, hostil),
            Numerico("LKSETOR", 3),
            Numerico("LKFORNEC", 6),
            Caracter("UNIDADE", 3, false, hostil),
            Numerico("PRECOVENDA", 11, 2),
            Numerico("ESTMINIMO", 9, 2),
            Numerico("LUCRO", 6, 2),
            DataCampo("ULTREAJ"),
            Numerico("BASECALCUL", 6, 2),
            Numerico("PRECOCUSTO", 11, 2),
            Numerico("CUSTOMEDIO", 13, 4),
            Numerico("QUANTIDADE", 11, 3),
            Caracter("REFERENCIA", 13, false, hostil)};
}

void PreencheVendedor(TEscritorDbf& e, TSorteio& s, qint64 p) {
    e.Numero(vCONTROLE, static_cast<double>(p + 1));
    e.Texto(vNOME, Caixa(s, NomePessoa(s)));
    static const std::array<qint64, 9> comissoes = {0, 100, 150, 200, 250, 300, 500, 750, 1000};
    if (!s.Chance(100)) {
        e.Numero(vCOMISSAO, Centavos(s.Um(comissoes)));
    }
    const TCidade& cidade = s.Um(Cidades());
    if (!s.Chance(200)) {
        e.Texto(vFONE, Telefone(s, cidade, s.Chance(300)));
    }
    e.Data(vADMISSAO, s.Data(QDate(1985, 1, 1), QDate(2004, 12, 31)));
    e.Logico(vATIVO, !s.Chance(150));
}

void PreencheCliente(TEscritorDbf& e, TSorteio& s, qint64 p, qint64 vendedores) {
    e.Numero(cCODIGO, static_cast<double>(p + 1));
    const bool pessoa = s.Chance(400);
    QString nome = pessoa ? NomePessoa(s) : NomeEmpresa(s);
    if (s.Chance(20)) {
        nome.prepend(QLatin1String("  ")); // typed with leading blanks
    }
    e.Texto(cNOME, Caixa(s, nome));
    e.Texto(cENDERECO, Caixa(s, Endereco(s)));
    e.Texto(cBAIRRO, Caixa(s, s.Um(Bairros())));
    const TCidade& cidade = s.Um(Cidades());
    if (!s.Chance(40)) {
        e.Texto(cCIDADE, s.Chance(50) ? cidade.nome.toLower() : cidade.nome);
    }
    e.Texto(cESTADO, s.Chance(30) ? cidade.uf.toLower() : cidade.uf);
    e.Texto(cCEP, Cep(s, cidade));
    if (!s.Chance(50)) {
        e.Texto(cCGC, pessoa ? Cpf(s) : Cnpj(s));
    }
    e.Texto(cINSC, InscricaoEstadual(s, pessoa));
    if (s.Chance(150)) {
        e.Memo(cOBS, Observacao(s));
    }
    if (!s.Chance(300)) {
        QString contato = s.Um(PrimeirosNomes());
        if (s.Chance(400)) {
            contato += QLatin1Char(' ') + s.Um(Sobrenomes());
        }
        e.Texto(cCONTATO, Caixa(s, contato));
    }
    if (!s.Chance(80)) {
        e.Texto(cTELEFONE, Telefone(s, cidade, pessoa && s.Chance(400)));
    }
    if (!pessoa && s.Chance(250)) {
        e.Texto(cFAX, Telefone(s, cidade, false));
    }
    if (vendedores > 0 && !s.Chance(200)) {
        e.Numero(cLKVENDEDOR, static_cast<double>(s.Entre(1, vendedores)));
    }
    if (!s.Chance(200)) {
        e.Texto(cATIVIDADE, Caixa(s, s.Um(Atividades())));
    }
    if (!s.Chance(50)) {
        e.Data(cDATA, s.Data(QDate(1990, 1, 2), QDate(2005, 12, 30)));
    }
    if (pessoa ? s.Chance(700) : s.Chance(30)) {
        e.Data(cNASCIMENTO, s.Data(QDate(1935, 1, 1), QDate(1988, 12, 31)));
    }
    // "Natural person": a blank or '?' now and then, and a few that contradict the document.
    if (s.Chance(30)) {
        e.Bruto(cTAGFISICA, QByteArray(s.Chance(500) ? "?" : " "));
    } else {
        e.Logico(cTAGFISICA, s.Chance(10) ? !pessoa : pessoa);
    }
    if (s.Chance(600)) {
        e.Numero(cLIMITE, Centavos(s.Entre(0, 40) * 50000));
    }
}

void PreencheFornecedor(TEscritorDbf& e, TSorteio& s, qint64 p) {
    e.Numero(fCONTROLE, static_cast<double>(p + 1));
    const QString fantasia = s.Um(Fantasias());
    QString empresa;
    switch (s.Ate(4)) {
    case 0:
        empresa = QStringLiteral("Distribuidora ") + fantasia + QLatin1Char(' ') + s.Um(Sufixos());
        break;
    case 1:
        empresa = s.Um(Ramos()) + QLatin1Char(' ') + fantasia + QString::fromUtf8(" Indústria e Comércio Ltda");
        break;
    default:
        empresa = NomeEmpresa(s);
        break;
    }
    e.Texto(fEMPRESA, Caixa(s, empresa));
    e.Texto(fFANTASIA, fantasia.toUpper());
    e.Texto(fENDERECO, Caixa(s, Endereco(s)));
    e.Texto(fBAIRRO, Caixa(s, s.Um(Bairros())));
    const TCidade& cidade = s.Um(Cidades());
    if (!s.Chance(40)) {
        e.Texto(fCIDADE, cidade.nome);
    }
    e.Texto(fESTADO, cidade.uf);
    e.Texto(fCEP, Cep(s, cidade));
    e.Texto(fCGC, Cnpj(s));
    e.Texto(fINSC, InscricaoEstadual(s, false));
    if (!s.Chance(300)) {
        e.Texto(fEMAIL, (s.Chance(500) ? QStringLiteral("vendas@") : QStringLiteral("contato@")) + Apelido(fantasia) +
                            QStringLiteral(".com.br"));
    }
    if (!s.Chance(200)) {
        e.Texto(fCONTATO, Caixa(s, s.Um(PrimeirosNomes())));
    }
    e.Texto(fTELEFONE, Telefone(s, cidade, false));
    if (s.Chance(400)) {
        e.Texto(fFAX, Telefone(s, cidade, false));
    }
}

void PreencheGrupo(TEscritorDbf& e, TSorteio& s, qint64 p) {
    e.Numero(gCONTROLE, static_cast<double>(p + 1));
    const Lista& setores = Setores();
    QString setor = setores[static_cast<std::size_t>(p % static_cast<qint64>(setores.size()))];
    if (p >= static_cast<qint64>(setores.size())) {
        setor += s.Chance(500) ? QLatin1String(" - ") : QLatin1String(" / ");
        setor += s.Um(QualificadoresDeSetor());
    }
    // Positions that always hold the awkward cases, so that even a small sample has them.
    switch (p % 25) {
    case 2:
        setor =
            QLatin1String("  ") + setor.toLower() + QLatin1String(" / ") + s.Um(setores).toLower() + QLatin1Char(' ');
        break;
    case 4:
        setor.clear();
        break;
    case 6:
        setor = QStringLiteral("- . / '");
        break;
    case 8:
        setor += QLatin1String(" e ") + s.Um(setores);
        setor += QLatin1String(" - ") + s.Um(QualificadoresDeSetor()) + QString::fromUtf8(" (promoção de inverno)");
        break;
    default:
        setor = Caixa(s, setor);
        break;
    }
    e.Texto(gSETOR, setor);
    if (s.Chance(300)) {
        e.Numero(gDESCONTO, Centavos(s.Entre(1, 20) * 50));
    }
}

void PreencheProduto(TEscritorDbf& e, TSorteio& s, qint64 p, qint64 grupos, qint64 fornecedores) {
    // Codes are six digits: from the millionth product on they start again at 0.
    e.Numero(pCODIGO, static_cast<double>((p + 1) % 1'000'000));
    const Lista& modelo = s.Um(Produtos());
    QString produto = modelo.front();
    if (modelo.size() > 1 && !s.Chance(100)) {
        produto += QLatin1Char(' ') + modelo[1 + s.Ate(modelo.size() - 1)];
    }
    e.Texto(pPRODUTO, Caixa(s, produto));
    if (grupos > 0 && !s.Chance(100)) {
        e.Numero(pLKSETOR, static_cast<double>(s.Entre(1, grupos)));
    }
    if (fornecedores > 0 && !s.Chance(200)) {
        e.Numero(pLKFORNEC, static_cast<double>(s.Entre(1, fornecedores)));
    }
    e.Texto(pUNIDADE, s.Um(Unidades()));

    // Prices in cents, so the decimal text is exact.
    const qint64 escala = std::array<qint64, 4>{100, 1000, 10000, 100000}[s.Ate(4)];
    const qint64 custo = s.Entre(escala / 2, escala * 5);
    const qint64 lucro = s.Entre(1000, 12000); // 10.00% to 120.00%
    if (s.Chance(2)) {
        e.Numero(pPRECOVENDA, 1e10); // too wide: the field fills with '*', as the legacy system left it
    } else if (!s.Chance(20)) {
        e.Numero(pPRECOVENDA, Centavos(custo + custo * lucro / 10000));
    }
    if (!s.Chance(300)) {
        e.Numero(pESTMINIMO, static_cast<double>(s.Entre(0, 50)));
    }
    if (!s.Chance(50)) {
        e.Numero(pLUCRO, Centavos(lucro));
    }
    if (s.Chance(10)) {
        e.Data(pULTREAJ, QDate(1900, 1, 1));
    } else if (!s.Chance(100)) {
        e.Data(pULTREAJ, s.Data(QDate(1996, 1, 1), QDate(2005, 12, 30)));
    }
    if (!s.Chance(400)) {
        static const std::array<qint64, 5> bases = {10000, 4167, 6111, 7333, 2941};
        e.Numero(pBASECALCULO, Centavos(s.Um(bases)));
    }
    if (!s.Chance(30)) {
        e.Numero(pPRECOCUSTO, Centavos(custo));
    }
    if (!s.Chance(100)) {
        e.Numero(pCUSTOMEDIO, static_cast<double>(custo * s.Entre(9000, 11000)) / 1e6);
    }
    if (!s.Chance(50)) {
        qint64 milesimos = 0;
        if (s.Chance(30)) {
            milesimos = -s.Entre(1, 20) * 1000; // sold without stock
        } else if (s.Chance(200)) {
            milesimos = s.Entre(0, 5000); // weighed or measured goods
        } else {
            milesimos = s.Entre(0, 5000) * 1000;
        }
        e.Numero(pQUANTIDADE, static_cast<double>(milesimos) / 1000.0);
    }
    if (s.Chance(600)) {
        e.Texto(pREFERENCIA, Ean13(s));
    }
}

} // namespace

TQuantidadesExemplo QuantidadesExemplo(qint64 registros) {
    const qint64 n = std::max<qint64>(0, registros);
    TQuantidadesExemplo q;
    q.clientes = n;
    q.produtos = n;
    q.fornecedores = (n + 9) / 10;
    q.grupos = std::min<qint64>(999, (n + 9) / 10);
    q.vendedores = std::min<qint64>(99, (n + 19) / 20);
    return q;
}

std::vector<TTabelaExemplo> GeraExemplo(const QString& pasta, const TOpcoesExemplo& opcoes) {
    if (!QFileInfo(pasta).isDir()) {
        throw EConversao(QStringLiteral("A pasta \"%1\" não existe.").arg(pasta));
    }
    if (opcoes.registros < 0 || opcoes.registros > kMaximoRegistrosExemplo) {
        throw EConversao(QStringLiteral("Número de registros fora do intervalo de 0 a %1: %2.")
                             .arg(kMaximoRegistrosExemplo)
                             .arg(opcoes.registros));
    }
    const TQuantidadesExemplo q = QuantidadesExemplo(opcoes.registros);
    const bool h = opcoes.hostil;
    const std::optional<TTextoHostil> hostil = h ? std::optional<TTextoHostil>(TTextoHostil{}) : std::nullopt;
    const auto semente = [&opcoes](std::uint64_t tabela) { return SementeDaTabela(opcoes.semente, tabela); };

    std::vector<TTabelaExemplo> tabelas;
    tabelas.push_back(GravaTabela(pasta, QStringLiteral("TABVEND"), CamposVendedores(h), q.vendedores, semente(1),
                                  hostil, PreencheVendedor));
    tabelas.push_back(
        GravaTabela(pasta, QStringLiteral("TABCLI"), CamposClientes(h), q.clientes, semente(2), hostil,
                    [&q](TEscritorDbf& e, TSorteio& s, qint64 p) { PreencheCliente(e, s, p, q.vendedores); }));
    tabelas.push_back(GravaTabela(pasta, QStringLiteral("TABFOR"), CamposFornecedores(h), q.fornecedores, semente(3),
                                  hostil, PreencheFornecedor));
    tabelas.push_back(
        GravaTabela(pasta, QStringLiteral("TABEST8"), CamposGrupos(h), q.grupos, semente(4), hostil, PreencheGrupo));
    tabelas.push_back(GravaTabela(
        pasta, QStringLiteral("TABEST1"), CamposProdutos(h), q.produtos, semente(5), hostil,
        [&q](TEscritorDbf& e, TSorteio& s, qint64 p) { PreencheProduto(e, s, p, q.grupos, q.fornecedores); }));
    return tabelas;
}
