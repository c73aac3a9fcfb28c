#pragma once

#include "PaginaCodigo.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

/// Turns bytes written in one code page into text. Owns, for a single-byte page, the table of its upper
/// half (our own for CP437, CP850, CP860 and CP1252, built once through iconv for the others) or, for a
/// multi-byte page other than UTF-8, an iconv handle. Not to be shared between threads.
class TDecodificador {
public:
    /// A decoder for the page; Valido() is false when this machine cannot decode it.
    explicit TDecodificador(PaginaCodigo pagina = PaginaCodigo::CP850);
    ~TDecodificador();
    TDecodificador(TDecodificador&& outro) noexcept;
    TDecodificador& operator=(TDecodificador&& outro) noexcept;
    TDecodificador(const TDecodificador&) = delete;
    TDecodificador& operator=(const TDecodificador&) = delete;

    PaginaCodigo Pagina() const { return m_pagina; }
    bool Valido() const { return m_tipo != Tipo::Invalido; }
    bool UmByte() const { return m_tipo == Tipo::UmByte; }

    /// Never fails: a byte or sequence the page does not define becomes U+FFFD.
    QString Decodifica(const char* dados, qsizetype tamanho) const;
    QString Decodifica(const QByteArray& dados) const { return Decodifica(dados.constData(), dados.size()); }
    /// The character of one byte of a single-byte page.
    char16_t Caractere(unsigned char byte) const {
        return byte < 0x80 ? char16_t(byte) : m_metadeSuperior[byte - 0x80];
    }

private:
    enum class Tipo { Invalido, UmByte, Utf8, Iconv };
    struct TIconv;

    QString DecodificaIconv(const char* dados, qsizetype tamanho) const;

    PaginaCodigo m_pagina;
    Tipo m_tipo = Tipo::Invalido;
    std::array<char16_t, 128> m_metadeSuperior{};
    std::unique_ptr<TIconv> m_iconv;
};

/// Decodes text in a code page (a decoder made for the call; readers of many values keep a TDecodificador).
QString DecodificaTexto(const char* dados, qsizetype tamanho, PaginaCodigo pagina);
QString DecodificaTexto(const QByteArray& dados, PaginaCodigo pagina);

/// Encodes text for a table; characters the code page lacks become '?'.
QByteArray CodificaTexto(const QString& texto, PaginaCodigo pagina);
