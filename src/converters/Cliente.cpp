#include "Cliente.h"

#include "ConfiguracaoRegional.h"
#include "TextoPrimitivas.h"

#include <QDate>

#include <algorithm>
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

bool TemAspas(const QString& valor) {
    return valor.contains(QLatin1Char('"'));
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

// The setters run on the reset values once, here, before any record; the reset copies what they gave.
TConverteCliente::TConverteCliente(TConexaoDestino* cBanco) : TConversao(cBanco) {
    for (const TCampoReiniciado& c : CamposReiniciados()) {
        if (c.setter != nullptr) {
            (this->*c.setter)(QString::fromLatin1(c.valor));
        }
        m_valoresReiniciados.push_back(this->*c.campo);
    }
    FDT_Cadastro = FDT_Ult_Alteracao = DataDeHoje();
}

QString TConverteCliente::CampoLivre(int numero) const {
    using C = TConverteCliente;
    static constexpr QString C::*campos[] = {&C::FCampoLivre1, &C::FCampoLivre2, &C::FCampoLivre3, &C::FCampoLivre4,
                                             &C::FCampoLivre5, &C::FCampoLivre6, &C::FCampoLivre7, &C::FCampoLivre8,
                                             &C::FCampoLivre9, &C::FCampoLivre10};
    return numero >= 1 && numero <= 10 ? this->*campos[numero - 1] : QString();
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

// The customer's own name (what the mapping gives) is already in upper case, without accents or
// quotes: only the trim and the cut apply to it.
void TConverteCliente::SetNomeFantasia(const QString& Value) {
    if (Value == FNome) {
        const QString aparado = Trim(Value);
        FNomeFantasia = Corta(aparado, 50);
        Confere("CLIENTE.NOMEFANTASIA", aparado.size(), 50, FNomeFantasia);
        return;
    }
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

// The CEP's digits before the cut at 8; with quotes, each removal cuts what is left at 10.
QString CepSemCorte(const QString& valor) {
    const QString t = SemAspas(valor, [](const QString& s) { return Corta(TConversao::TiraMascara(s), 10); });
    return TConversao::FRemoveCaracter(TConversao::TiraMascara(t));
}

QString Cep8(const QString& valor) {
    return Corta(CepSemCorte(valor), 8);
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

// The cut is counted on the digits of the whole value; without quotes they are those just cut.
void TConverteCliente::SetCep(const QString& Value) {
    const QString semCorte = CepSemCorte(Value);
    FCep = Corta(semCorte, 8);
    const qsizetype tamanho = TemAspas(Value) ? FRemoveCaracter(TiraMascara(SemAspas(Value))).size() : semCorte.size();
    Confere("CLIENTE.CEP", tamanho, 8, FCep);
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
    // Only a value with a letter can be one.
    const bool temLetra = std::any_of(semAspas.cbegin(), semAspas.cend(), [](QChar c) {
        const char16_t u = c.unicode() | 0x20;
        return u >= u'a' && u <= u'z';
    });
    const QString alfanumerico = temLetra ? CnpjAlfanumerico(semAspas) : QString();
    if (!alfanumerico.isEmpty()) {
        FCgcCpf = alfanumerico;
        return;
    }
    const QString semMascara = TiraMascara(semAspas);
    const QString t = TemAspas(Value)
                          ? TiraMascara(SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(s), 18); }))
                          : semMascara;
    FCgcCpf = FRemoveCaracter(Corta(t, 18));
    Confere("CLIENTE.CGCCPF", semMascara.size(), 18, FCgcCpf);
}

void TConverteCliente::SetInscEst(const QString& Value) {
    const QString semMascara = TiraMascara(SemAspas(Value));
    const QString t = TemAspas(Value)
                          ? TiraMascara(SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(s), 15); }))
                          : semMascara;
    FInscEst = FRemoveCaracter(Corta(t, 15));
    Confere("CLIENTE.INSCEST", semMascara.size(), 15, FInscEst);
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
    const QString semMascara = TiraMascara(Trim(SemAspas(Value)));
    const QString t =
        TemAspas(Value)
            ? TiraMascara(Trim(SemAspas(Value, [](const QString& s) { return Corta(TiraMascara(Trim(s)), 15); })))
            : semMascara;
    FFax = FSoNumero(Corta(t, 16));
    Confere("CLIENTE.FAX", semMascara.size(), 16, FFax);
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

namespace {

bool Branco(QChar c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool Algarismos(QStringView t, qsizetype minimo, qsizetype maximo) {
    return t.size() >= minimo && t.size() <= maximo &&
           std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The value of a run of at most four digits.
int Valor(QStringView algarismos) {
    int v = 0;
    for (const QChar c : algarismos) {
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

// The text before the first `sinal` and the text after it (null when there is no `sinal`).
std::pair<QStringView, QStringView> Parte(QStringView t, char16_t sinal) {
    const qsizetype p = t.indexOf(sinal);
    return p < 0 ? std::pair{t, QStringView()} : std::pair{t.first(p), t.sliced(p + 1)};
}

QStringView SemBrancoInicial(QStringView t) {
    return t.sliced(std::find_if_not(t.begin(), t.end(), Branco) - t.begin());
}

} // namespace

// day.month.year or year.month.day (1 to 4, 1 to 2 and 1 to 4 digits), possibly followed by blanks
// and a time h:mm or h:mm:ss, blanks around (the ASCII ones): what the database reads as a date.
bool TConverteCliente::DataLegivel(const QString& data) {
    if (Trim(data).isEmpty()) {
        return true;
    }
    QStringView t = SemBrancoInicial(data);
    while (!t.isEmpty() && Branco(t.back())) {
        t.chop(1);
    }
    const qsizetype fimData = std::find_if(t.begin(), t.end(), Branco) - t.begin();
    auto [dia, resto] = Parte(t.first(fimData), u'.');
    auto [mes, ano] = Parte(resto, u'.');
    const QStringView hora = SemBrancoInicial(t.sliced(fimData));
    const auto [horas, depois] = Parte(hora, u':');
    const auto [minutos, segundos] = Parte(depois, u':');
    const bool horaLegivel = hora.isEmpty() || (Algarismos(horas, 1, 2) && Algarismos(minutos, 2, 2) &&
                                                (segundos.isNull() || Algarismos(segundos, 2, 2)));
    if (!horaLegivel || !Algarismos(dia, 1, 4) || !Algarismos(mes, 1, 2) || !Algarismos(ano, 1, 4)) {
        return false;
    }
    if (dia.size() == 4) {
        std::swap(dia, ano);
    }
    if (dia.size() > 2) {
        return false;
    }
    // A two-digit year is read in this century or the last; either way the same days exist.
    const int numeroAno = Valor(ano) + (ano.size() == 2 ? 2000 : 0);
    return numeroAno >= 1 && QDate(numeroAno, Valor(mes), Valor(dia)).isValid();
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
// over to the next customer. The seller, country and payment term have no setter here: their
// setters ignore a blank value, so the reset empties them itself.
std::span<const TConverteCliente::TCampoReiniciado> TConverteCliente::CamposReiniciados() {
    using C = TConverteCliente;
    static const TCampoReiniciado campos[] = {
        {&C::FCodCliente, &C::SetCodCliente, ""},
        {&C::FNome, &C::SetNome, ""},
        {&C::FNomeFantasia, &C::SetNomeFantasia, ""},
        {&C::FEndereco, &C::SetEndereco, ""},
        {&C::FEnderecoEntr, &C::SetEnderecoEntr, ""},
        {&C::FEnderecoCob, &C::SetEnderecoCob, ""},
        {&C::FBairro, &C::SetBairro, ""},
        {&C::FBairroEntr, &C::SetBairroEntr, ""},
        {&C::FBairroCob, &C::SetBairroCob, ""},
        {&C::FCodCidade, &C::SetCodCidade, ""},
        {&C::FCodCidadeEntr, &C::SetCodCidadeEntr, ""},
        {&C::FCodCidadeCob, &C::SetCodCidadeCob, ""},
        {&C::FEstado, &C::SetEstado, ""},
        {&C::FEstadoEntr, &C::SetEstadoEntr, ""},
        {&C::FEstadoCob, &C::SetEstadoCob, ""},
        {&C::FCep, &C::SetCep, ""},
        {&C::FCepEntr, &C::SetCepEntr, ""},
        {&C::FCepCob, &C::SetCepCob, ""},
        {&C::FCgcCpf, &C::SetCgcCpf, ""},
        {&C::FInscEst, &C::SetInscEst, ""},
        {&C::FPessoa_FJ, &C::SetPessoa_FJ, "F"},
        {&C::FFone, &C::SetFone, ""},
        {&C::FFax, &C::SetFax, ""},
        {&C::FPrefixCelular, &C::SetPrefixCelular, ""},
        {&C::FCelular, &C::SetCelular, ""},
        {&C::FEmail, &C::SetEmail, ""},
        {&C::FHomePage, &C::SetHomePage, ""},
        {&C::FAtivo, &C::SetAtivo, "S"},
        {&C::FCliBloqueado, &C::SetCliBloqueado, "N"},
        {&C::FRetemISS, &C::SetRetemISS, ""},
        {&C::FMalaDiretaEletr, &C::SetMalaDiretaEletr, "N"},
        {&C::FProtestarCliente, &C::SetProtestarCliente, "N"},
        {&C::FDT_Nascimento, &C::SetDT_Nascimento, ""},
        {&C::FCampoLivre1, &C::SetCampoLivre1, ""},
        {&C::FCampoLivre2, &C::SetCampoLivre2, ""},
        {&C::FCampoLivre3, &C::SetCampoLivre3, ""},
        {&C::FCampoLivre4, &C::SetCampoLivre4, ""},
        {&C::FCampoLivre5, &C::SetCampoLivre5, ""},
        {&C::FCampoLivre6, &C::SetCampoLivre6, ""},
        {&C::FCampoLivre7, &C::SetCampoLivre7, ""},
        {&C::FCampoLivre8, &C::SetCampoLivre8, ""},
        {&C::FCampoLivre9, &C::SetCampoLivre9, ""},
        {&C::FCampoLivre10, &C::SetCampoLivre10, ""},
        {&C::FCodMunicipio, &C::SetCodMunicipio, ""},
        {&C::FObservacao, &C::SetObsercacao, ""},
        {&C::FCodPais, nullptr, ""},
        {&C::FCodVendend1, nullptr, ""},
        {&C::FCodPrazo, nullptr, ""},
    };
    return campos;
}

// The registration and last-change dates become today, as the day may have turned.
void TConverteCliente::LimpaVariavel() {
    const std::span<const TCampoReiniciado> campos = CamposReiniciados();
    for (std::size_t i = 0; i < campos.size(); ++i) {
        this->*campos[i].campo = m_valoresReiniciados[i];
    }
    FDT_Cadastro = FDT_Ult_Alteracao = DataDeHoje();
}
