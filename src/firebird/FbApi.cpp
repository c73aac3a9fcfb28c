#include "FbApi.h"

#include "Cp1252.h"
#include "EBancoDestino.h"

#include <QFile>
#include <QStringDecoder>

#include <vector>

namespace fbapi {

Firebird::IMaster* Master() {
    static Firebird::IMaster* const master = Firebird::fb_get_master_interface();
    return master;
}

Firebird::IUtil* Util() { return Master()->getUtilInterface(); }

Firebird::IProvider* Provedor() {
    // The dispatcher is reference counted; one for the whole process is enough.
    static Firebird::IProvider* const provedor = Master()->getDispatcher();
    return provedor;
}

Status::Status() : m_status(Master()->getStatus()), m_wrapper(m_status.get()) {}

void Status::Verifica() {
    if (Erro()) {
        LancaErro(m_wrapper.getErrors() != nullptr ? &m_wrapper : nullptr);
    }
}

namespace {

// Engine texts are ASCII with file names in the system's encoding (UTF-8) and data in the
// connection's code page (CP1252); take UTF-8 when the bytes are valid UTF-8.
QString DecodificaMensagem(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return texto;
    }
    return DeCp1252(bytes);
}

std::vector<long> Codigos(const intptr_t* v) {
    std::vector<long> r;
    if (v == nullptr) {
        return r;
    }
    while (*v != isc_arg_end) {
        const intptr_t tipo = *v++;
        if (tipo == isc_arg_cstring) {
            v += 2; // length and pointer
            continue;
        }
        if (tipo == isc_arg_gds) {
            r.push_back(static_cast<long>(*v));
        }
        ++v;
    }
    return r;
}

} // namespace

EBancoDestino ErroDe(const Firebird::IStatus* status) {
    if (status == nullptr) {
        return EBancoDestino(QStringLiteral("Erro desconhecido do banco de destino."), {});
    }
    std::vector<char> buffer(8192);
    const unsigned n = Util()->formatStatus(buffer.data(), static_cast<unsigned>(buffer.size() - 1),
                                            const_cast<Firebird::IStatus*>(status));
    QByteArray bytes(buffer.data(), static_cast<qsizetype>(std::min<std::size_t>(n, buffer.size() - 1)));
    while (bytes.endsWith('\n') || bytes.endsWith('\r')) {
        bytes.chop(1);
    }
    // The engine ends lines with "\n"; keep them as such.
    bytes.replace("\r\n", "\n");
    return EBancoDestino(DecodificaMensagem(bytes), Codigos(status->getErrors()));
}

void LancaErro(const Firebird::IStatus* status) {
    throw ErroDe(status);
}

EBancoDestino ErroDoMotor(const std::vector<intptr_t>& vetor, const QString& parametro) {
    const std::unique_ptr<Firebird::IStatus, Descarta> status(Master()->getStatus());
    status->setErrors(vetor.data());
    const EBancoDestino erro = ErroDe(status.get());
    return EBancoDestino(erro.Mensagem() + QStringLiteral("\n-parâmetro ") + parametro, erro.Codigos());
}

QByteArray NomeArquivo(const QString& caminho) { return QFile::encodeName(caminho); }

} // namespace fbapi
