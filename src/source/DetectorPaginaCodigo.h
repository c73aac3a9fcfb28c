#pragma once

#include "PaginaCodigo.h"
#include "TextoPagina.h"

#include <QtGlobal>

#include <optional>

/// Tells CP850 from CP1252 in text of unknown code page by how Portuguese each reading of the bytes
/// looks: the letters Portuguese uses, their case beside their neighbours ("JosÚ" is not a name),
/// the letters that may follow ç, ã and õ, and no box-drawing or control characters inside words.
/// Text whose bytes above ASCII all form UTF-8 sequences (what LibreOffice writes by default) is UTF-8.
/// Owns its two decoders and scores; feed it one value at a time, then ask.
class TDetectorPaginaCodigo {
public:
    TDetectorPaginaCodigo();

    void Examina(const char* dados, qsizetype tamanho);
    /// True once the evidence is so one-sided that more bytes would not change the answer.
    bool Decidido() const;
    /// True once a byte was seen that reads differently in the two pages.
    bool ViuAcentos() const { return m_viuAcentos; }
    /// The page the evidence points to; empty when it does not decide (or there was none).
    std::optional<PaginaCodigo> Resultado() const;

private:
    TDecodificador m_cp850;
    TDecodificador m_cp1252;
    long m_pontos850 = 0;
    long m_pontos1252 = 0;
    long m_sequenciasUtf8 = 0;
    bool m_utf8 = true; ///< no byte so far breaks UTF-8
    bool m_viuAcentos = false;
};
