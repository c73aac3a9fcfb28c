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

TConverteCompClie::TConverteCompClie(TConexaoDestino* cBanco) : TConversao(cBanco) {
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
    Confere("COMPCLIE.NUMERONFE", Value.size(), 5, FNumeroNfe);
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
    m_linha.Insere(Destino(), *this);
    LimpaVariavel();
    return true;
}

namespace {

bool Algarismo(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The number that starts at `i`: its digits, a "." between two digits joining them ("1.234" is 1234).
QString NumeroDesde(const QString& t, qsizetype i) {
    QString numero;
    numero.reserve(t.size() - i);
    for (; i < t.size(); ++i) {
        if (Algarismo(t.at(i))) {
            numero += t.at(i);
        } else if (!(t.at(i) == QLatin1Char('.') && !numero.isEmpty() && i + 1 < t.size() && Algarismo(t.at(i + 1)))) {
            break;
        }
    }
    return numero;
}

// Where the number that ends just before `fim` starts (t[fim - 1] is a digit).
qsizetype InicioDoNumero(const QString& t, qsizetype fim) {
    qsizetype i = fim - 1;
    while (i > 0 && (Algarismo(t.at(i - 1)) || (t.at(i - 1) == QLatin1Char('.') && i >= 2 && Algarismo(t.at(i - 2))))) {
        --i;
    }
    return i;
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

bool LetraOuAlgarismo(const QString& t, qsizetype i) {
    return i >= 0 && i < t.size() && t.at(i).isLetterOrNumber();
}

// "S/N" at `i`, or "SN" there as a word: the address says it has no number.
bool SemNumeroEm(const QString& t, qsizetype i) {
    // Both forms start with an S (compared as the case-insensitive match compares it).
    if (i >= t.size() || t.at(i).toCaseFolded() != QLatin1Char('s')) {
        return false;
    }
    if (QStringView(t).mid(i).startsWith(QLatin1String("S/N"), Qt::CaseInsensitive)) {
        return true;
    }
    return QStringView(t).mid(i).startsWith(QLatin1String("SN"), Qt::CaseInsensitive) && !LetraOuAlgarismo(t, i - 1) &&
           !LetraOuAlgarismo(t, i + 2);
}

bool SemNumero(const QString& t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (SemNumeroEm(t, i)) {
            return true;
        }
    }
    return false;
}

} // namespace

// Digits in the street's name ("RUA 7 DE SETEMBRO 120", "RUA 25, 100") never join the number, and
// what follows it ("APTO 201", "SALA 3") never replaces it.
QString NumeroDaCasa(const QString& endereco) {
    if (const qsizetype aposMarcador = AposMarcador(endereco); aposMarcador >= 0) {
        qsizetype i = aposMarcador;
        while (i < endereco.size() && !endereco.at(i).isLetterOrNumber()) {
            ++i;
        }
        // A letter first ("nº S/N") means the address has no number.
        return (i < endereco.size() && Algarismo(endereco.at(i))) ? NumeroDesde(endereco, i) : QString();
    }
    if (const qsizetype virgula = endereco.indexOf(QLatin1Char(',')); virgula >= 0) {
        qsizetype i = virgula + 1;
        while (i < endereco.size() && endereco.at(i).isSpace()) {
            ++i;
        }
        if (i < endereco.size() && Algarismo(endereco.at(i))) {
            return NumeroDesde(endereco, i); // "RUA E, 300, BH"
        }
        if (SemNumeroEm(endereco, i)) {
            return QString();
        }
        qsizetype fim = virgula;
        while (fim > 0 && endereco.at(fim - 1).isSpace()) {
            --fim;
        }
        // "RUA DAS FLORES 123, FUNDOS"
        return fim > 0 && Algarismo(endereco.at(fim - 1)) ? NumeroDesde(endereco, InicioDoNumero(endereco, fim))
                                                          : QString();
    }
    if (SemNumero(endereco)) {
        return QString();
    }
    qsizetype fim = endereco.size();
    while (fim > 0 && !Algarismo(endereco.at(fim - 1))) {
        --fim;
    }
    return fim > 0 ? NumeroDesde(endereco, InicioDoNumero(endereco, fim)) : QString();
}
