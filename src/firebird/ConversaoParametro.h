#pragma once
// Internal to the target layer: a parameter value written into the input message in the type
// the engine describes for the parameter, converted as the engine converts the literal.

#include "ValorParametro.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

/// One field of a message a statement takes or gives: its type and where the message holds it.
struct TDescritorCampo {
    unsigned tipo = 0; ///< SQL_VARYING, SQL_LONG, ... without the nullable bit
    unsigned tamanho = 0;
    int escala = 0;
    int subtipo = 0;
    unsigned charset = 0;
    unsigned offset = 0;
    unsigned offsetNulo = 0;
};

/// Stores a text as a blob of the statement's transaction and writes its id at the given place.
using TCriaBlob = std::function<void(QByteArrayView bytes, unsigned char* id)>;

/// Writes the value (or its NULL) at the descriptor's place in `mensagem`. Raises EBancoDestino
/// with the engine's own text and a line naming the parameter for a value the engine would have
/// refused as a literal for that column (a text too long, a number out of range, no date), and
/// EConversao naming it for a value no literal could bring to that type.
void GravaParametro(const TValorParametro& valor, const TDescritorCampo& descritor, unsigned char* mensagem,
                    const QString& nome, const TCriaBlob& criaBlob);
