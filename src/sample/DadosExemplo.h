#pragma once

// The pools and value makers the sample generator fills its tables from (GeradorExemplo.cpp).

#include <QDate>
#include <QString>

#include <cstdint>
#include <random>
#include <vector>

class TEscritorDbf;

namespace exemplo {

using Lista = std::vector<QString>;

// Every random choice goes through here. mt19937_64's sequence is fixed by the C++ standard; the
// standard distributions are not, so the mapping onto ranges is our own and the files come out the
// same with any library. For the same reason no expression below draws twice: the order in which
// the operands of one expression are evaluated is up to the compiler.
class TSorteio {
public:
    explicit TSorteio(std::uint64_t semente) : m_gerador(semente) {}

    /// 0 <= x < n (0 when n is 0).
    std::uint64_t Ate(std::uint64_t n) { return n == 0 ? 0 : m_gerador() % n; }
    qint64 Entre(qint64 minimo, qint64 maximo) {
        return minimo + static_cast<qint64>(Ate(static_cast<std::uint64_t>(maximo - minimo + 1)));
    }
    bool Chance(int porMil) { return Ate(1000) < static_cast<std::uint64_t>(porMil); }
    template <typename L> const auto& Um(const L& lista) { return lista[static_cast<std::size_t>(Ate(lista.size()))]; }
    QDate Data(const QDate& de, const QDate& ate) { return de.addDays(Entre(0, de.daysTo(ate))); }
    QString Digitos(int quantos) {
        QString d(quantos, Qt::Uninitialized);
        for (QChar& c : d) {
            c = QChar(u'0' + static_cast<char16_t>(Ate(10)));
        }
        return d;
    }

private:
    std::mt19937_64 m_gerador;
};

// SplitMix64: one seed per table, so that a table's contents do not depend on the others.
inline std::uint64_t SementeDaTabela(std::uint64_t semente, std::uint64_t tabela) {
    std::uint64_t z = semente + tabela * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

struct TCidade {
    QString nome;
    QString uf;
    int ddd;
    int cep; ///< first five digits
};

// The data pools.
const Lista& PrimeirosNomes();
const Lista& Sobrenomes();
const Lista& Ramos();
const Lista& Fantasias();
const Lista& Sufixos();
const Lista& Apelidos();
const Lista& Logradouros();
const Lista& NomesDeRua();
const Lista& Bairros();
const std::vector<TCidade>& Cidades();
const Lista& Atividades();
const Lista& Observacoes();
const std::vector<Lista>& Produtos();
const Lista& Unidades();
const Lista& Setores();
const Lista& QualificadoresDeSetor();
const Lista& TextosHostis();

// Values drawn from them.
QString Caixa(TSorteio& s, const QString& texto);
QString NomePessoa(TSorteio& s);
QString NomeEmpresa(TSorteio& s);
QString Endereco(TSorteio& s);
QString Cep(TSorteio& s, const TCidade& cidade);
QString Telefone(TSorteio& s, const TCidade& cidade, bool celular);
QString Cnpj(TSorteio& s);
QString Cpf(TSorteio& s);
QString InscricaoEstadual(TSorteio& s, bool pessoa);
QString Apelido(const QString& texto);
QString Observacao(TSorteio& s);
QString Ean13(TSorteio& s);
double Centavos(qint64 centavos);

/// Fills every character field and memo of the hostile sample with texts meant to break quoting,
/// parameters and encodings.
class TTextoHostil {
public:
    /// Overwrites every character field and memo of the record about to be written.
    void Sobrescreve(TEscritorDbf& escritor, qint64 registro) const;

private:
    static QString Valor(qint64 registro, int campo, int largura, bool memo);
};

} // namespace exemplo
