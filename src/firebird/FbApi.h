#pragma once
// Internal to the target layer: RAII over the Firebird OO API and the one place where a
// Firebird status becomes our exception. Never include this from a public header.

#include "EBancoDestino.h"

#include <firebird/Interface.h>

#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace fbapi {

Firebird::IMaster* Master();
Firebird::IUtil* Util();
Firebird::IProvider* Provedor();

/// Disposes a status vector or a parameter-block builder.
struct Descarta {
    template <typename T> void operator()(T* p) const noexcept {
        if (p != nullptr) {
            p->dispose();
        }
    }
};

using XpbPtr = std::unique_ptr<Firebird::IXpbBuilder, Descarta>;

/// Owns a status vector and its checking wrapper; Verifica() raises EBancoDestino on error.
class Status {
public:
    Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    Firebird::CheckStatusWrapper* operator&() noexcept { return &m_wrapper; }
    bool Erro() const noexcept { return (m_wrapper.getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
    /// Raises EBancoDestino with the engine's text when the last call failed.
    void Verifica();

private:
    std::unique_ptr<Firebird::IStatus, Descarta> m_status;
    Firebird::CheckStatusWrapper m_wrapper;
};

/// The choke point: the formatted status text (lines joined by '\n') and its isc codes.
EBancoDestino ErroDe(const Firebird::IStatus* status);
[[noreturn]] void LancaErro(const Firebird::IStatus* status);

/// An error the engine would raise, in the engine's own words: `vetor` is a status vector
/// (isc_arg_gds code, its arguments, ..., isc_arg_end). A last line names the parameter.
EBancoDestino ErroDoMotor(const std::vector<intptr_t>& vetor, const QString& parametro);

/// Move-only owner of a reference-counted interface; release() on destruction.
template <typename T> class Ref {
public:
    Ref() noexcept = default;
    explicit Ref(T* p) noexcept : m_p(p) {}
    ~Ref() { reset(); }
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    Ref& operator=(Ref&& o) noexcept {
        if (this != &o) {
            reset(std::exchange(o.m_p, nullptr));
        }
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    void reset(T* p = nullptr) noexcept {
        if (m_p != nullptr) {
            m_p->release();
        }
        m_p = p;
    }
    /// The engine already released the object (commit, close, detach succeeded).
    void abandona() noexcept { m_p = nullptr; }

private:
    T* m_p = nullptr;
};

/// Ends what `ref` holds through `fim` (rollback, close, detach) without throwing: when the engine
/// refuses, the reference is released instead, which makes the engine end it.
template <typename T, typename Fim> void EncerraSemErro(Ref<T>& ref, Fim fim) noexcept {
    if (!ref) {
        return;
    }
    Status st;
    fim(ref.get(), &st);
    if (st.Erro()) {
        ref.reset();
    } else {
        ref.abandona();
    }
}

/// CP1252 bytes of a name or path as the engine expects them on this platform.
QByteArray NomeArquivo(const QString& caminho);

} // namespace fbapi
