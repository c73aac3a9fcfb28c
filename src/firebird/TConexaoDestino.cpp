#include "ConexaoImpl.h"
#include "EBancoDestino.h"
#include "TTransacaoDestino.h"

#include <QFileInfo>

#include <unistd.h>

using namespace Firebird;
using fbapi::EncerraSemErro;
using fbapi::Ref;
using fbapi::Status;

namespace {

constexpr unsigned kPaginaBanco = 8192;
constexpr const char* kCharsetConexao = "WIN1252";

EBancoDestino ErroConexaoFechada() {
    return EBancoDestino(QStringLiteral("A conexão com o banco de destino não está aberta."), {});
}

// Firebird's own variable when set, else the program's fixed value.
QByteArray Credencial(const char* variavel, const char* padrao) {
    const QByteArray valor = qgetenv(variavel);
    return valor.isEmpty() ? QByteArray(padrao) : valor;
}

fbapi::XpbPtr NovoDpb(Status& st) {
    fbapi::XpbPtr dpb(fbapi::Util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0));
    st.Verifica();
    dpb->insertString(&st, isc_dpb_user_name, Credencial("ISC_USER", kUsuarioDestino).constData());
    dpb->insertString(&st, isc_dpb_password, Credencial("ISC_PASSWORD", kSenhaDestino).constData());
    dpb->insertString(&st, isc_dpb_lc_ctype, kCharsetConexao);
    // The attachment carries the program's name and process id, so that monitoring (MON$ATTACHMENTS)
    // tells which program holds the database: the embedded engine records nothing otherwise.
    const QString programa = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (!programa.isEmpty()) {
        dpb->insertString(&st, isc_dpb_process_name, fbapi::NomeArquivo(programa).constData());
        dpb->insertInt(&st, isc_dpb_process_id, static_cast<int>(::getpid()));
    }
    st.Verifica();
    return dpb;
}

int LeInteiroLittleEndian(const unsigned char* p, int tamanho) {
    int valor = 0;
    for (int i = tamanho - 1; i >= 0; --i) {
        valor = (valor << 8) | p[i];
    }
    return valor;
}

int LeDialeto(IAttachment* anexo) {
    Status st;
    const unsigned char itens[] = {isc_info_db_sql_dialect, isc_info_end};
    unsigned char resposta[32] = {};
    anexo->getInfo(&st, sizeof(itens), itens, sizeof(resposta), resposta);
    st.Verifica();
    if (resposta[0] != isc_info_db_sql_dialect) {
        throw EBancoDestino(QStringLiteral("O banco de destino não informou seu dialeto SQL."), {});
    }
    const int tamanho = LeInteiroLittleEndian(resposta + 1, 2);
    return LeInteiroLittleEndian(resposta + 3, std::min(tamanho, 4));
}

} // namespace

// ---- Impl -------------------------------------------------------------------------------

TConexaoDestino::Impl::~Impl() {
    Fecha();
    for (TQueryDestino::Impl* q : queries) {
        DesligaQuery(*q);
    }
}

IAttachment* TConexaoDestino::Impl::Anexo() {
    if (!anexo) {
        throw ErroConexaoFechada();
    }
    return anexo.get();
}

ITransaction* TConexaoDestino::Impl::TransacaoAtiva() {
    if (!transacao) {
        Inicia();
    }
    return transacao.get();
}

void TConexaoDestino::Impl::Inicia() {
    IAttachment* a = Anexo();
    if (transacao) {
        throw EBancoDestino(QStringLiteral("A transação do banco de destino já está ativa."), {});
    }
    Status st;
    fbapi::XpbPtr tpb(fbapi::Util()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0));
    st.Verifica();
    // Read committed, record versions, no wait: a lock conflict is reported at once instead of
    // leaving the run hanging.
    tpb->insertTag(&st, isc_tpb_write);
    tpb->insertTag(&st, isc_tpb_read_committed);
    tpb->insertTag(&st, isc_tpb_rec_version);
    tpb->insertTag(&st, isc_tpb_nowait);
    st.Verifica();
    ITransaction* t = a->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
    st.Verifica();
    transacao.reset(t);
}

void TConexaoDestino::Impl::Confirma() {
    if (!transacao) {
        return;
    }
    FechaCursores();
    Status st;
    transacao->commit(&st);
    st.Verifica(); // a refused commit leaves the transaction active, as the engine does
    transacao.abandona();
}

void TConexaoDestino::Impl::Cancela() {
    if (!transacao) {
        return;
    }
    FechaCursores();
    Status st;
    transacao->rollback(&st);
    if (st.Erro()) {
        transacao.reset(); // the engine undoes what a released transaction did
        st.Verifica();
    }
    transacao.abandona();
}

void TConexaoDestino::Impl::ConfirmaRetendo() {
    ITransaction* t = TransacaoAtiva();
    FechaCursores();
    Status st;
    t->commitRetaining(&st);
    st.Verifica();
}

void TConexaoDestino::Impl::CancelaRetendo() {
    ITransaction* t = TransacaoAtiva();
    FechaCursores();
    Status st;
    t->rollbackRetaining(&st);
    st.Verifica();
}

void TConexaoDestino::Impl::FechaCursores() noexcept {
    for (TQueryDestino::Impl* q : queries) {
        FechaCursorDaQuery(*q);
    }
}

void TConexaoDestino::Impl::Fecha() noexcept {
    FechaCursores();
    for (TQueryDestino::Impl* q : queries) {
        LiberaInstrucaoDaQuery(*q);
    }
    instrucoes.Descarta();
    EncerraSemErro(transacao, [](auto* t, auto* st) { t->rollback(st); });
    EncerraSemErro(anexo, [](auto* a, auto* st) { a->detach(st); });
    dialeto = 0;
}

// ---- TConexaoDestino --------------------------------------------------------------------

TConexaoDestino::TConexaoDestino() : m_impl(std::make_unique<Impl>()), m_transacao(*this) {}

TConexaoDestino::~TConexaoDestino() = default;

void TConexaoDestino::SetNomeBanco(const QString& nome) {
    m_impl->nomeBanco = nome;
}

const QString& TConexaoDestino::NomeBanco() const {
    return m_impl->nomeBanco;
}

void TConexaoDestino::Abre() {
    m_impl->Fecha();
    Status st;
    fbapi::XpbPtr dpb = NovoDpb(st);
    const QByteArray nome = fbapi::NomeArquivo(m_impl->nomeBanco);
    // Never isc_dpb_set_db_sql_dialect here: it would change the customer's database for good.
    Ref<IAttachment> anexo(
        fbapi::Provedor()->attachDatabase(&st, nome.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st)));
    st.Verifica();
    m_impl->dialeto = LeDialeto(anexo.get());
    m_impl->anexo = std::move(anexo);
}

void TConexaoDestino::Fecha() {
    m_impl->Fecha();
}

bool TConexaoDestino::Conectado() const {
    return static_cast<bool>(m_impl->anexo);
}

bool TConexaoDestino::TestaConexao() {
    if (!m_impl->anexo) {
        return false;
    }
    Status st;
    m_impl->anexo->ping(&st);
    if (st.Erro()) {
        m_impl->Fecha();
        return false;
    }
    return true;
}

int TConexaoDestino::Dialeto() const {
    return m_impl->dialeto;
}

void TConexaoDestino::CriaBanco(const QString& caminho) {
    Status st;
    fbapi::XpbPtr dpb = NovoDpb(st);
    dpb->insertInt(&st, isc_dpb_sql_dialect, 1);
    dpb->insertString(&st, isc_dpb_set_db_charset, kCharsetConexao);
    dpb->insertInt(&st, isc_dpb_page_size, static_cast<int>(kPaginaBanco));
    st.Verifica();
    const QByteArray nome = fbapi::NomeArquivo(caminho);
    Ref<IAttachment> anexo(
        fbapi::Provedor()->createDatabase(&st, nome.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st)));
    st.Verifica();
    anexo->detach(&st);
    st.Verifica();
    anexo.abandona();
}
