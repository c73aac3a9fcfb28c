#include "Cliente.h"

#include "ConfiguracaoRegional.h"
#include "TextoPrimitivas.h"

#include <QDate>
#include <QRegularExpression>

#include <utility>

namespace {

QString Corta(const QString& t, qsizetype n) {
    return Copia(t, 1, n);
}

QString SemMudanca(const QString& t) {
    return t;
}

// Removes the double quotes one at a time, applying the setter's in-loop steps after each
// removal; the statements put every text between quotes, so none may survive.
template <typename Laco> QString SemAspas(const QString& valor, Laco noLaco) {
    QString t = valor;
    qsizetype p = t.indexOf(QLatin1Char('"'));
    while (p >= 0) {
        t.remove(p, 1);
        t = noLaco(t);
        p = t.indexOf(QLatin1Char('"'));
    }
    return t;
}

QString SemAspas(const QString& valor) {
    return SemAspas(valor, SemMudanca);
}

// The characters a setter cuts to its width: the value's own, quotes aside, trimmed when the setter trims.
qsizetype Tamanho(const QString& valor, bool apara) {
    const QString t = apara ? Trim(valor) : valor;
    return t.size() - t.count(QLatin1Char('"'));
}

QString Pontuada(QString t) {
    t.replace(QLatin1Char('/'), QLatin1Char('.'));
    return t;
}

// The date text the target reads as day.month.year; empty when the value is not a date.
QString DataPontuada(const QString& valor) {
    QString data = valor;
    return Pontuada(TConversao::FValidaData(data));
}

// A date the normalisation cannot read is kept as written (dotted): the database then
// rejects the row instead of the customer silently losing the date.
QString DataOuOriginal(const QString& valor) {
    const QString r = DataPontuada(valor);
    return (r.isEmpty() && !valor.isEmpty()) ? Pontuada(valor) : r;
}

} // namespace

TConverteCliente::TConverteCliente(TConexaoDestino* cBanco) : TConversao(cBanco) {
    LimpaVariavel();
}

QString TConverteCliente::CampoLivre(int numero) const {
    switch (numero) {
    case 1:
        return FCampoLivre1;
    case 2:
        return FCampoLivre2;
    case 3:
        return FCampoLivre3;
    case 4:
        return FCampoLivre4;
    case 5:
        return FCampoLivre5;
    case 6:
        return FCampoLivre6;
    case 7:
        return FCampoLivre7;
    case 8:
        return FCampoLivre8;
    case 9:
        return FCampoLivre9;
    case 10:
        return FCampoLivre10;
    default:
        return QString();
    }
}

// The fill happens before the mask on purpose: stored codes of the target system were made
// this way ("12.345" -> "0012345"), and other tables refer to them.
void TConverteCliente::SetCodCliente(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return TiraMascara(StrZero(s, 8)); });
    FCodCliente = TiraMascara(StrZero(Corta(t, 8), 8));
    Confere("CLIENTE.CODCLIENTE", Tamanho(Value, false), 8, FCodCliente);
}

void TConverteCliente::SetCodFornec(const QString& Value) {
    FCodFornec = SemAspas(Value);
}

void TConverteCliente::SetNome(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(Trim(s), 60); });
    FNome = FRetiraAcento(MaiusculasAscii(Corta(Trim(t), 60)));
    Confere("CLIENTE.NOME", Tamanho(Value, true), 60, FNome);
}

void TConverteCliente::SetContato(const QString& Value) {
    const QString t = SemAspas(Value, Trim);
    FContato = Corta(Trim(t), 50);
    Confere("CLIENTE.CONTATO", Tamanho(Value, true), 50, FContato);
}

void TConverteCliente::SetNomeFantasia(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(s, 50); });
    FNomeFantasia = FRetiraAcento(MaiusculasAscii(Corta(Trim(t), 50)));
    Confere("CLIENTE.NOMEFANTASIA", Tamanho(Value, true), 50, FNomeFantasia);
}

namespace {

QString Endereco60(const QString& valor) {
    const auto passos = [](const QString& s) { return Corta(Trim(s), 60); };
    return passos(SemAspas(valor, passos));
}

QString Bairro30(const QString& valor) {
    const auto passos = [](const QString& s) { return Corta(s, 30); };
    return passos(SemAspas(valor, passos));
}

QString CodigoCidade(const QString& valor) {
    const QString t = SemAspas(valor);
    return t.isEmpty() ? QString() : TConversao::StrZero(Corta(t, 5), 5);
}

QString NomeCidade30(const QString& valor) {
    const auto passos = [](const QString& s) { return Corta(s, 30); };
    return passos(SemAspas(valor, passos));
}

QString Cep8(const QString& valor) {
    const QString t = SemAspas(valor, [](const QString& s) { return Corta(TConversao::TiraMascara(s), 10); });
    return Corta(TConversao::FRemoveCaracter(TConversao::TiraMascara(t)), 8);
}

QString Corte(const QString& valor, qsizetype n) {
    const auto passos = [n](const QString& s) { return Corta(s, n); };
    return passos(SemAspas(valor, passos));
}

} // namespace

void TConverteCliente::SetEndereco(const QString& Value) {
    FEndereco = Endereco60(Value);
    Confere("CLIENTE.ENDERECO", Tamanho(Value, true), 60, FEndereco);
}
void TConverteCliente::SetEnderecoEntr(const QString& Value) {
    FEnderecoEntr = Endereco60(Value);
}
void TConverteCliente::SetEnderecoCob(const QString& Value) {
    FEnderecoCob = Endereco60(Value);
}

void TConverteCliente::SetBairro(const QString& Value) {
    FBairro = Bairro30(Value);
    Confere("CLIENTE.BAIRRO", Tamanho(Value, false), 30, FBairro);
}
void TConverteCliente::SetBairroEntr(const QString& Value) {
    FBairroEntr = Bairro30(Value);
}

void TConverteCliente::SetBairroCob(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(Trim(s), 60); });
    FBairroCob = Corta(Trim(t), 30);
}

void TConverteCliente::SetCodCidade(const QString& Value) {
    FCodCidade = CodigoCidade(Value);
}
void TConverteCliente::SetCodCidadeEntr(const QString& Value) {
    FCodCidadeEntr = CodigoCidade(Value);
}
void TConverteCliente::SetCodCidadeCob(const QString& Value) {
    FCodCidadeCob = CodigoCidade(Value);
}

void TConverteCliente::SetNomeCidade(const QString& Value) {
    FNomeCidade = NomeCidade30(Value);
}
void TConverteCliente::SetNomeCidadeEntr(const QString& Value) {
    FNomeCidadeEntr = NomeCidade30(Value);
}
void TConverteCliente::SetNomeCidadeCob(const QString& Value) {
    FNomeCidadeCob = NomeCidade30(Value);
}

// No trim before the cut: " sp" gives " S", as the target system's own records hold it.
void TConverteCliente::SetEstado(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(s, 2); });
    FEstado = MaiusculasAscii(Corta(t, 2));
    Confere("CLIENTE.ESTADO", Tamanho(Value, false), 2, FEstado);
}

void TConverteCliente::SetEstadoEntr(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(Trim(s), 60); });
    FEstadoEntr = MaiusculasAscii(Corta(Trim(t), 2));
}

void TConverteCliente::SetEstadoCob(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(s, 20); });
    FEstadoCob = MaiusculasAscii(Corta(t, 2));
}

void TConverteCliente::SetCep(const QString& Value) {
    FCep = Cep8(Value);
    Confere("CLIENTE.CEP", FRemoveCaracter(TiraMascara(SemAspas(Value))).size(), 8, FCep);
}
void TConverteCliente::SetCepEntr(const QString& Value) {
    FCepEntr = Cep8(Value);
}
void TConverteCliente::SetCepCob(const QString& Value) {
    FCepCob = Cep8(Value);
}

// An alphanumeric CNPJ keeps its letters: the mask step keeps digits only and would
// turn it into a different, invalid number.
void TConverteCliente::SetCgcCpf(const QString& Value) {
    QString semAspas = Value;
    semAspas.remove(QLatin1Char('"'));
    const QString alfanumerico = CnpjAlfanumerico(semAspas);
    if (!alfanumerico.isEmpty()) {
        FCgcCpf = alfanumerico;
        return;
    }
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(s), 18); });
    FCgcCpf = FRemoveCaracter(Corta(TiraMascara(t), 18));
    Confere("CLIENTE.CGCCPF", TiraMascara(semAspas).size(), 18, FCgcCpf);
}

void TConverteCliente::SetInscEst(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(s), 15); });
    FInscEst = FRemoveCaracter(Corta(TiraMascara(t), 15));
    Confere("CLIENTE.INSCEST", TiraMascara(SemAspas(Value)).size(), 15, FInscEst);
}

void TConverteCliente::SetInscMunicipal(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(s), 15); });
    FInscMunicipal = Corta(TiraMascara(t), 15);
}

void TConverteCliente::SetPessoa_FJ(const QString& Value) {
    FPessoa_FJ = Corta(SemAspas(Value), 1);
}

void TConverteCliente::SetFone(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(Trim(s)), 15); });
    FFone = FSoNumero(Corta(t, 16));
    Confere("CLIENTE.FONE", Tamanho(Value, false), 16, FFone);
}

void TConverteCliente::SetFax(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(Trim(s)), 15); });
    FFax = FSoNumero(Corta(TiraMascara(Trim(t)), 16));
    Confere("CLIENTE.FAX", TiraMascara(Trim(SemAspas(Value))).size(), 16, FFax);
}

void TConverteCliente::SetPrefixCelular(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(s), 4); });
    FPrefixCelular = Corta(t, 4);
}

void TConverteCliente::SetCelular(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(s), 15); });
    FCelular = Corta(FSoNumero(t), 20);
}

void TConverteCliente::SetEmail(const QString& Value) {
    FEmail = Endereco60(Value);
    Confere("CLIENTE.EMAIL", Tamanho(Value, true), 60, FEmail);
}

void TConverteCliente::SetHomePage(const QString& Value) {
    const auto passos = [](const QString& s) { return Corta(Trim(s), 30); };
    FHomePage = passos(SemAspas(Value, passos));
}

void TConverteCliente::SetAtivo(const QString& Value) {
    FAtivo = Corta(SemAspas(Value), 1);
}
void TConverteCliente::SetNomeMae(const QString& Value) {
    FNomeMae = SemAspas(Value);
}
void TConverteCliente::SetNomePai(const QString& Value) {
    FNomePai = SemAspas(Value);
}
void TConverteCliente::SetCliBloqueado(const QString& Value) {
    FCliBloqueado = Corta(SemAspas(Value), 1);
}
void TConverteCliente::SetRetemISS(const QString& Value) {
    FRetemISS = Corta(SemAspas(Value), 1);
}
void TConverteCliente::SetMalaDiretaEletr(const QString& Value) {
    FMalaDiretaEletr = SemAspas(Value);
}
void TConverteCliente::SetProtestarCliente(const QString& Value) {
    FProtestarCliente = SemAspas(Value);
}

bool TConverteCliente::DataLegivel(const QString& data) {
    if (Trim(data).isEmpty()) {
        return true;
    }
    // day.month.year or year.month.day, possibly followed by a time, as the database reads them.
    static const QRegularExpression forma(
        QStringLiteral(R"(^\s*(\d{1,4})\.(\d{1,2})\.(\d{1,4})(\s+\d{1,2}:\d{2}(:\d{2})?)?\s*$)"));
    const QRegularExpressionMatch partes = forma.match(data);
    if (!partes.hasMatch()) {
        return false;
    }
    QString dia = partes.captured(1);
    QString ano = partes.captured(3);
    if (dia.size() == 4) {
        std::swap(dia, ano);
    }
    if (dia.size() > 2) {
        return false;
    }
    // A two-digit year is read in this century or the last; either way the same days exist.
    const int numeroAno = ano.toInt() + (ano.size() == 2 ? 2000 : 0);
    return numeroAno >= 1 && QDate(numeroAno, partes.captured(2).toInt(), dia.toInt()).isValid();
}

void TConverteCliente::SetDT_Nascimento(const QString& Value) {
    FDT_Nascimento = Value.isEmpty() ? QString() : DataOuOriginal(Value);
}

void TConverteCliente::SetDT_Cadastro(const QString& Value) {
    FDT_Cadastro = DataOuOriginal(Value);
}
void TConverteCliente::SetDt_Ult_Venda(const QString& Value) {
    FDT_Ult_Venda = DataPontuada(Value);
}
void TConverteCliente::SetDt_Ult_Alteracao(const QString& Value) {
    FDT_Ult_Alteracao = DataPontuada(Value);
}
void TConverteCliente::SetDT_Valcad(const QString& Value) {
    FDT_Valcad = DataPontuada(Value);
}

void TConverteCliente::SetObsercacao(const QString& Value) {
    FObservacao = Corte(Value, 100);
    Confere("CLIENTE.OBSERVACAO", Tamanho(Value, false), 100, FObservacao);
}

void TConverteCliente::SetCampoLivre1(const QString& Value) {
    FCampoLivre1 = Corte(Value, 20);
}
void TConverteCliente::SetCampoLivre2(const QString& Value) {
    FCampoLivre2 = Corte(Value, 20);
}
void TConverteCliente::SetCampoLivre3(const QString& Value) {
    FCampoLivre3 = Corte(Value, 60);
}
void TConverteCliente::SetCampoLivre4(const QString& Value) {
    FCampoLivre4 = Corte(Value, 60);
}
void TConverteCliente::SetCampoLivre5(const QString& Value) {
    FCampoLivre5 = Corte(Value, 40);
}
void TConverteCliente::SetCampoLivre6(const QString& Value) {
    FCampoLivre6 = Corte(Value, 40);
}
void TConverteCliente::SetCampoLivre7(const QString& Value) {
    FCampoLivre7 = Corte(Value, 40);
}
void TConverteCliente::SetCampoLivre8(const QString& Value) {
    FCampoLivre8 = Corte(Value, 40);
}
void TConverteCliente::SetCampoLivre9(const QString& Value) {
    FCampoLivre9 = Corte(Value, 40);
}
void TConverteCliente::SetCampoLivre10(const QString& Value) {
    FCampoLivre10 = Corte(Value, 40);
}

void TConverteCliente::SetCodSegmento(const QString& Value) {
    FCodSegmento = SemAspas(Value);
}

void TConverteCliente::SetCodClasCli(const QString& Value) {
    const QString t = SemAspas(Value);
    if (!t.isEmpty()) {
        FCodClasCli = t;
    }
}

// A blank seller, country or payment term keeps the code already set; the reset empties them.
// A seller that is not a code ("--5", "12a") counts as blank: padding and masking it would link
// the customer to another seller ("--5" would become "05").
void TConverteCliente::SetCodVendend1(const QString& Value) {
    const QString t = SemAspas(Value);
    if (EhCodigoNumerico(t)) {
        FCodVendend1 = TiraMascara(StrZero(Corta(t, 4), 4));
        Confere("CLIENTE.CODVENDEND1", t.size(), 4, FCodVendend1);
    }
}

void TConverteCliente::SetCodPrazo(const QString& Value) {
    const QString t = SemAspas(Value);
    if (!Trim(t).isEmpty()) {
        FCodPrazo = TiraMascara(StrZero(Corta(t, 3), 3));
    }
}

void TConverteCliente::SetCodPais(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return TiraMascara(StrZero(s, 4)); });
    if (!Trim(Value).isEmpty()) {
        FCodPais = TiraMascara(StrZero(Corta(t, 4), 4));
    }
}

void TConverteCliente::SetCodMunicipio(const QString& Value) {
    const QString t = SemAspas(Value, [](const QString& s) { return Corta(Trim(s), 30); });
    FCodMunicipio = Corta(Trim(t), 7);
}

void TConverteCliente::SetNomeSocio(const QString& Value) {
    FNomeSocio = Corte(Value, 50);
}

void TConverteCliente::SetLimiteCredito(double Value) {
    FLimiteCredito = Value;
}

const QString& TConverteCliente::DataDeHoje() {
    const QDate hoje = Hoje();
    const ConfiguracaoRegional& regional = Regional();
    if (m_dataDeHoje.texto.isEmpty() || m_dataDeHoje.dia != hoje || m_dataDeHoje.formato != regional.formatoDataCurta ||
        m_dataDeHoje.separador != regional.separadorData) {
        m_dataDeHoje = {hoje, regional.formatoDataCurta, regional.separadorData, DataPontuada(QString())};
    }
    return m_dataDeHoje.texto;
}

// The fields not named here (contact, city names, municipal registration, mother's and father's
// names, last sale, valid-until, segment, class, partner, credit limit, supplier code) carry
// over to the next customer.
void TConverteCliente::LimpaVariavel() {
    const QString vazio;
    SetCodCliente(vazio);
    SetNome(vazio);
    SetNomeFantasia(vazio);
    SetEndereco(vazio);
    SetEnderecoEntr(vazio);
    SetEnderecoCob(vazio);
    SetBairro(vazio);
    SetBairroEntr(vazio);
    SetBairroCob(vazio);
    SetCodCidade(vazio);
    SetCodCidadeEntr(vazio);
    SetCodCidadeCob(vazio);
    SetEstado(vazio);
    SetEstadoEntr(vazio);
    SetEstadoCob(vazio);
    SetCep(vazio);
    SetCepEntr(vazio);
    SetCepCob(vazio);
    SetCgcCpf(vazio);
    SetInscEst(vazio);
    SetPessoa_FJ(QStringLiteral("F"));
    SetFone(vazio);
    SetFax(vazio);
    SetPrefixCelular(vazio);
    SetCelular(vazio);
    SetEmail(vazio);
    SetHomePage(vazio);
    SetAtivo(QStringLiteral("S"));
    SetCliBloqueado(QStringLiteral("N"));
    SetRetemISS(vazio);
    SetMalaDiretaEletr(QStringLiteral("N"));
    SetProtestarCliente(QStringLiteral("N"));
    SetDT_Nascimento(vazio);
    FDT_Cadastro = FDT_Ult_Alteracao = DataDeHoje();
    SetCampoLivre1(vazio);
    SetCampoLivre2(vazio);
    SetCampoLivre3(vazio);
    SetCampoLivre4(vazio);
    SetCampoLivre5(vazio);
    SetCampoLivre6(vazio);
    SetCampoLivre7(vazio);
    SetCampoLivre8(vazio);
    SetCampoLivre9(vazio);
    SetCampoLivre10(vazio);
    // These setters ignore a blank value, so the reset empties the fields itself.
    FCodPais.clear();
    SetCodMunicipio(vazio);
    FCodVendend1.clear();
    FCodPrazo.clear();
    SetObsercacao(vazio);
}
