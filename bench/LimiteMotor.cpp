#include "LimiteMotor.h"

#include "BancoTeste.h"
#include "EConversao.h"
#include "FbApi.h"
#include "TConexaoDestino.h"
#include "TQueryDestino.h"

#include <QElapsedTimer>

#include <cstring>
#include <ctime>
#include <map>

using namespace Firebird;
using fbapi::Ref;
using fbapi::Status;

namespace {

/// One table's rows as the select's output messages, ready to be sent as the insert's input.
struct Linhas {
    Ref<IMessageMetadata> formato;
    QByteArray insercao;
    std::vector<std::vector<unsigned char>> mensagens;
    std::size_t proxima = 0;
};

/// Processor time of this process (every thread: the engine runs inside it).
double SegundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

Ref<IAttachment> Anexa(const QString& caminho) {
    Status st;
    fbapi::XpbPtr dpb(fbapi::Util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0));
    st.Verifica();
    dpb->insertString(&st, isc_dpb_user_name, kUsuarioDestino);
    dpb->insertString(&st, isc_dpb_password, kSenhaDestino);
    dpb->insertString(&st, isc_dpb_lc_ctype, "WIN1252");
    st.Verifica();
    const QByteArray nome = fbapi::NomeArquivo(caminho);
    Ref<IAttachment> a(
        fbapi::Provedor()->attachDatabase(&st, nome.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st)));
    st.Verifica();
    return a;
}

Ref<ITransaction> Inicia(IAttachment* a) {
    Status st;
    Ref<ITransaction> t(a->startTransaction(&st, 0, nullptr));
    st.Verifica();
    return t;
}

void Confirma(Ref<ITransaction>& t) {
    Status st;
    t->commit(&st);
    st.Verifica();
    t.abandona();
}

Linhas LeTabela(IAttachment* a, ITransaction* t, const QString& tabela) {
    Status st;
    const QByteArray sql = "SELECT * FROM " + tabela.toLatin1();
    Ref<IStatement> s(a->prepare(&st, t, 0, sql.constData(), 1, IStatement::PREPARE_PREFETCH_METADATA));
    st.Verifica();
    Linhas r;
    r.formato = Ref<IMessageMetadata>(s->getOutputMetadata(&st));
    st.Verifica();
    const unsigned n = r.formato->getCount(&st);
    QByteArray colunas;
    QByteArray marcas;
    for (unsigned i = 0; i < n; ++i) {
        if (r.formato->getType(&st, i) == SQL_BLOB) {
            throw EConversao(QStringLiteral("A tabela %1 tem BLOB: o limite do motor não a copia.").arg(tabela));
        }
        colunas += (i > 0 ? ", " : "") + QByteArray(r.formato->getField(&st, i));
        marcas += i > 0 ? ", ?" : "?";
    }
    r.insercao = "INSERT INTO " + tabela.toLatin1() + " (" + colunas + ") VALUES (" + marcas + ")";
    const unsigned tamanho = r.formato->getMessageLength(&st);
    st.Verifica();
    Ref<IResultSet> rs(s->openCursor(&st, t, nullptr, nullptr, r.formato.get(), 0));
    st.Verifica();
    std::vector<unsigned char> buf(tamanho);
    while (rs->fetchNext(&st, buf.data()) == IStatus::RESULT_OK) {
        r.mensagens.push_back(buf);
    }
    st.Verifica();
    rs->close(&st);
    st.Verifica();
    rs.abandona();
    return r;
}

} // namespace

void MedeLimite(const QString& bancoConvertido, const QString& bancoNovo, std::vector<TGrupoLimite>& grupos) {
    std::map<QString, Linhas> linhas;
    {
        Ref<IAttachment> origem = Anexa(bancoConvertido);
        Ref<ITransaction> t = Inicia(origem.get());
        for (const TGrupoLimite& g : grupos) {
            for (const auto& [tabela, quantas] : g.tabelas) {
                if (linhas.find(tabela) == linhas.end()) {
                    linhas.emplace(tabela, LeTabela(origem.get(), t.get(), tabela));
                }
            }
        }
        Confirma(t);
        Status st;
        origem->detach(&st);
        st.Verifica();
        origem.abandona();
    }

    CriaBancoTeste(bancoNovo);
    {
        // The run switches the target's triggers off before writing; so does this.
        TConexaoDestino conexao;
        conexao.SetNomeBanco(bancoNovo);
        conexao.Abre();
        TQueryDestino q(conexao);
        q.SetSQL(QStringLiteral("SELECT TRIM(RDB$TRIGGER_NAME) AS NOME FROM RDB$TRIGGERS "
                                "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
        QStringList nomes;
        for (q.Abre(); !q.Eof(); q.Proximo()) {
            nomes << q.CampoTexto(QStringLiteral("NOME"));
        }
        q.Fecha();
        for (const QString& nome : nomes) {
            q.SetSQL(QStringLiteral("ALTER TRIGGER %1 INACTIVE").arg(nome));
            q.Executa();
        }
        conexao.Transacao().Confirma();
    }

    Ref<IAttachment> destino = Anexa(bancoNovo);
    for (TGrupoLimite& g : grupos) {
        QElapsedTimer relogio;
        relogio.start();
        const double cpuAntes = SegundosCpu();
        Ref<ITransaction> t = Inicia(destino.get());
        g.linhas = 0;
        for (const auto& [tabela, quantas] : g.tabelas) {
            Linhas& l = linhas.at(tabela);
            Status st;
            Ref<IStatement> s(
                destino->prepare(&st, t.get(), static_cast<unsigned>(l.insercao.size()), l.insercao.constData(), 1, 0));
            st.Verifica();
            for (qint64 k = 0; k < quantas && l.proxima < l.mensagens.size(); ++k) {
                s->execute(&st, t.get(), l.formato.get(), l.mensagens[l.proxima++].data(), nullptr, nullptr);
                st.Verifica();
                ++g.linhas;
            }
        }
        Confirma(t);
        g.segundos = static_cast<double>(relogio.nsecsElapsed()) / 1e9;
        g.cpu = SegundosCpu() - cpuAntes;
    }
    Status st;
    destino->detach(&st);
    st.Verifica();
    destino.abandona();
}
