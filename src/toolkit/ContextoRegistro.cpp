#include "ContextoRegistro.h"

#include "Cp1252.h"
#include "RegistroAlteracoes.h"

namespace {

// A change of the record the context is on; the field and values are the caller's to add.
TAlteracao DoRegistro(const TContextoRegistro& c, TipoAlteracao oQue, const QString& detalhe) {
    TAlteracao a;
    a.tipo = c.tipo;
    a.tabelaOrigem = c.tabelaOrigem;
    a.registro = c.registro;
    a.codigoOrigem = c.codigoOrigem;
    a.oQue = oQue;
    a.detalhe = detalhe;
    return a;
}

} // namespace

void TContextoRegistro::Registra(TipoAlteracao oQue, QLatin1StringView coluna, const QString& detalhe,
                                 const QString& gravado) const {
    if (alteracoes == nullptr) {
        return;
    }
    TAlteracao a = DoRegistro(*this, oQue, detalhe);
    a.campoOrigem = campo;
    a.colunaDestino = coluna;
    a.valorOriginal = valorCampo;
    a.valorGravado = ComoGravado(gravado);
    alteracoes->Registra(a);
}

void TContextoRegistro::RegistraRegistro(TipoAlteracao oQue, const QString& detalhe) const {
    if (alteracoes != nullptr) {
        alteracoes->Registra(DoRegistro(*this, oQue, detalhe));
    }
}

namespace {

// Walks the letters and digits of a text as the ordinary cleaning leaves them alone: without
// accents, in upper case, without the zeros a code is padded with. What masks and punctuation add
// or drop is left out. Plain ASCII, most of what a table holds, takes no table look-up; nothing is
// allocated, as this runs for every value a writer takes.
class TEssencia {
public:
    explicit TEssencia(QStringView texto) : m_texto(texto) {}

    /// The next letter or digit, or 0 at the end.
    char32_t Proxima() {
        while (m_posicao < m_texto.size()) {
            QChar c = m_texto[m_posicao++];
            const char16_t u = c.unicode();
            if (u < 0x80) {
                const char16_t minuscula = u | 0x20;
                const bool letra = minuscula >= u'a' && minuscula <= u'z';
                if ((!letra && (u < u'0' || u > u'9')) || (m_inicio && u == u'0')) {
                    continue;
                }
                m_inicio = false;
                return letra ? char32_t(u & ~0x20) : char32_t(u);
            }
            if (!c.isLetterOrNumber()) {
                continue;
            }
            m_inicio = false;
            if (c.decompositionTag() == QChar::Canonical) {
                c = c.decomposition().at(0);
            }
            return c.toUpper().unicode();
        }
        return 0;
    }

private:
    QStringView m_texto;
    qsizetype m_posicao = 0;
    bool m_inicio = true;
};

// True when both texts hold the same letters and digits, and there is at least one.
bool MesmaEssencia(QStringView lido, QStringView escrito) {
    TEssencia a(lido);
    TEssencia b(escrito);
    char32_t c = a.Proxima();
    if (c == 0) {
        return false;
    }
    for (;;) {
        if (c != b.Proxima()) {
            return false;
        }
        if (c == 0) {
            return true;
        }
        c = a.Proxima();
    }
}

} // namespace

void TContextoRegistro::ContaLimpeza(QLatin1StringView coluna, const QString& gravado) const {
    if (alteracoes == nullptr || !alteracoes->QuerLimpezas() || campo.isEmpty()) {
        return;
    }
    // Blanks around the text are the DBF's padding (left of numbers, right of texts), not a change.
    // A value whose letters and digits differ is not this field's value cleaned (a setter fed from
    // elsewhere while this field was current): it is not counted against it.
    const QStringView lido = QStringView(valorCampo).trimmed();
    const QStringView escrito = QStringView(gravado).trimmed();
    if (lido == escrito) {
        return;
    }
    // Nothing left to compare (a writer emptied for the next record) tells nothing either.
    if (!MesmaEssencia(lido, escrito)) {
        return;
    }
    ++limpezas[{{campo.data(), static_cast<std::size_t>(campo.size())},
                {coluna.data(), static_cast<std::size_t>(coluna.size())}}];
}

void TContextoRegistro::DescarregaLimpezas() {
    if (alteracoes != nullptr) {
        for (const auto& [chave, quantidade] : limpezas) {
            TLimpezaComum limpeza;
            limpeza.tipo = tipo;
            limpeza.tabelaOrigem = tabelaOrigem;
            limpeza.campoOrigem = QLatin1StringView(chave.first.data(), static_cast<qsizetype>(chave.first.size()));
            limpeza.colunaDestino = QLatin1StringView(chave.second.data(), static_cast<qsizetype>(chave.second.size()));
            limpeza.quantidade = quantidade;
            alteracoes->ContaLimpeza(limpeza);
        }
    }
    limpezas.clear();
}

bool ConfereWin1252(const TContextoRegistro* contexto, QLatin1StringView coluna, const QString& gravado) {
    if (contexto == nullptr || contexto->alteracoes == nullptr || CabeEmCp1252(gravado)) {
        return false;
    }
    contexto->Registra(TipoAlteracao::ForaWin1252, coluna, QString(), gravado);
    return true;
}

QString ComoGravado(const QString& texto) {
    return CabeEmCp1252(texto) ? texto : DeCp1252(ParaCp1252(texto));
}
