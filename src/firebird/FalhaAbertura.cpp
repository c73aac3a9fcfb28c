#include "FalhaAbertura.h"

#include <firebird/Interface.h>

MotivoFalhaAbertura ClassificaFalhaAbertura(const EBancoDestino& erro) {
    // Checked in this order: "in use" comes as an I/O error of the "lock" operation, so it must win
    // over the I/O error that otherwise means an unreadable file.
    if (erro.Contem(isc_network_error)) {
        return MotivoFalhaAbertura::ServidorInacessivel;
    }
    if (erro.Contem(isc_login)) {
        return MotivoFalhaAbertura::AcessoRecusado;
    }
    if (erro.Contem(isc_already_opened)) {
        return MotivoFalhaAbertura::EmUso;
    }
    if (erro.Contem(isc_sys_request) || erro.Contem(isc_lock_dir_access)) {
        return MotivoFalhaAbertura::PastaTravas;
    }
    if (erro.Contem(isc_no_priv)) {
        return MotivoFalhaAbertura::SemEscrita;
    }
    if (erro.Contem(isc_wrong_ods)) {
        return MotivoFalhaAbertura::VersaoIncompativel;
    }
    if (erro.Contem(isc_bad_db_format) || (erro.Contem(isc_io_error) && !erro.Contem(isc_io_open_err))) {
        return MotivoFalhaAbertura::NaoEBanco;
    }
    if (erro.Contem(isc_io_open_err)) {
        return MotivoFalhaAbertura::ArquivoNaoAbre;
    }
    return MotivoFalhaAbertura::Outro;
}
