#include "Renderizacao.h"

QString TextoData(TDateTime valor) {
    return FormataDataHora(QStringLiteral("dd.mm.yyyy"), valor);
}
