#include "ComplClientes.h"

#include "DataHora.h"
#include "EConversao.h"
#include "TQueryDestino.h"
#include "TextoPrimitivas.h"

namespace {

QString Corta(const QString& t, qsizetype n) {
    return Copia(t, 1, n);
}

} // namespace

TConverteCompClie::TConverteCompClie(TConexaoDestino& cBanco) : TConversao(cBanco) {
    LimpaVariavel();
}

void TConverteCompClie::SetCodcliente(const QString& Value) {
    FCodcliente = StrZero(Corta(Trim(Value), 8), 8);
}
void TConverteCompClie::SetCodclienteDoCliente(const QString& codCliente) {
    FCodcliente = codCliente;
}
void TConverteCompClie::SetRefComerciais(const QString& Value) {
    FRefComerciais = Value;
}
void TConverteCompClie::SetRefBancarias(const QString& Value) {
    FRefBancarias = Value;
}
void TConverteCompClie::SetUsuario(const QString& Value) {
    FUsuario = Corta(Value, 10);
}
void TConverteCompClie::SetData_lib(const QString& Value) {
    FData_lib = Corta(Value, 10);
}
void TConverteCompClie::SetEnderecoNfe(const QString& Value) {
    FEnderecoNfe = Corta(Value, 60);
}
void TConverteCompClie::SetNumeroNfe(const QString& Value) {
    FNumeroNfe = Corta(Value, 5);
}
void TConverteCompClie::SetComplementoNfe(const QString& Value) {
    FComplementoNfe = Corta(Value, 60);
}

void TConverteCompClie::LimpaVariavel() {
    FCodcliente.clear();
    FRefComerciais.clear();
    FRefBancarias.clear();
    FUsuario.clear();
    FData_lib = QStringLiteral("01/01/1900");
    FEnderecoNfe.clear();
    FNumeroNfe.clear();
    FComplementoNfe.clear();
}

void TConverteCompClie::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("COMPCLIE"));
}

std::span<const TColunaLinha<TConverteCompClie>> TConverteCompClie::Colunas() {
    using C = TConverteCompClie;
    using linha::Texto;
    // The release date is a regional short date text, read as a date only here.
    const auto dataLib = [](const C& c) {
        const auto data = TextoCurtoParaData(c.FData_lib);
        if (!data) {
            throw EConversao(QStringLiteral("'%1' não é uma data válida").arg(c.FData_lib));
        }
        return TValorParametro::DataHora(*data);
    };
    static const TColunaLinha<C> colunas[] = {
        Texto<&C::FCodcliente>("CODCLIENTE"),
        Texto<&C::FRefComerciais>("REFCOMERCIAIS"),
        Texto<&C::FRefBancarias>("REFBANCARIAS"),
        Texto<&C::FUsuario>("USUARIO"),
        {"DATA_LIB", dataLib},
        Texto<&C::FEnderecoNfe>("ENDERECONFE"),
        Texto<&C::FNumeroNfe>("NUMERONFE"),
        Texto<&C::FComplementoNfe>("COMPLEMENTONFE"),
    };
    return colunas;
}

bool TConverteCompClie::ExecutaSql() {
    m_linha.Insere(*QDestino, *this);
    LimpaVariavel();
    return true;
}

namespace {

bool Algarismo(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString SequenciaDesde(const QString& t, qsizetype i) {
    qsizetype fim = i;
    while (fim < t.size() && Algarismo(t.at(fim))) {
        ++fim;
    }
    return t.mid(i, fim - i);
}

// Index just past the first "nº" marker, or -1.
qsizetype AposMarcador(const QString& t) {
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        const bool letraN = t.at(i) == QLatin1Char('n') || t.at(i) == QLatin1Char('N');
        const char16_t sinal = t.at(i + 1).unicode();
        if (letraN && (sinal == u'\u00BA' || sinal == u'\u00B0')) {
            return i + 2;
        }
    }
    return -1;
}

} // namespace

// The number is one run of digits, so digits in the street's name ("RUA 7 DE SETEMBRO 120")
// never join it.
QString NumeroDaCasa(const QString& endereco) {
    const qsizetype aposMarcador = AposMarcador(endereco);
    if (aposMarcador >= 0) {
        qsizetype i = aposMarcador;
        while (i < endereco.size() && !endereco.at(i).isLetterOrNumber()) {
            ++i;
        }
        // A letter first ("nº S/N") means the address has no number.
        return (i < endereco.size() && Algarismo(endereco.at(i))) ? SequenciaDesde(endereco, i) : QString();
    }
    const qsizetype virgula = endereco.lastIndexOf(QLatin1Char(','));
    if (virgula >= 0) {
        for (qsizetype i = virgula + 1; i < endereco.size(); ++i) {
            if (Algarismo(endereco.at(i))) {
                return SequenciaDesde(endereco, i);
            }
        }
        return QString();
    }
    qsizetype fim = endereco.size();
    while (fim > 0 && !Algarismo(endereco.at(fim - 1))) {
        --fim;
    }
    qsizetype inicio = fim;
    while (inicio > 0 && Algarismo(endereco.at(inicio - 1))) {
        --inicio;
    }
    return endereco.mid(inicio, fim - inicio);
}
