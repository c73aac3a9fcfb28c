#include "FormatoCsv.h"

#include <QStringDecoder>

QStringList ColunasAlteracoes(bool comClasse) {
    QStringList colunas = {QStringLiteral("Tipo"),
                           QStringLiteral("Tabela de origem"),
                           QStringLiteral("Registro"),
                           QStringLiteral("Código de origem"),
                           QStringLiteral("Campo de origem"),
                           QStringLiteral("Coluna de destino"),
                           QStringLiteral("Alteração"),
                           QStringLiteral("Valor original"),
                           QStringLiteral("Valor gravado")};
    if (comClasse) {
        colunas << QStringLiteral("Classe");
    }
    return colunas;
}

void AcrescentaRegistroCsv(QByteArray& saida, const QStringList& campos) {
    for (qsizetype i = 0; i < campos.size(); ++i) {
        if (i > 0) {
            saida += ',';
        }
        saida += '"';
        const QByteArray utf8 = campos[i].toUtf8();
        for (const char c : utf8) {
            if (c == '"') {
                saida += '"';
            }
            saida += c;
        }
        saida += '"';
    }
    saida += "\r\n";
}

QString TextoCampoCsv(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

QStringList LeRegistroCsv(const char* dados, qsizetype tamanho) {
    QStringList campos;
    QByteArray campo;
    bool entreAspas = false;
    bool campoIniciado = false; // something was read since the last separator
    for (qsizetype i = 0; i < tamanho; ++i) {
        const char c = dados[i];
        if (entreAspas) {
            if (c != '"') {
                campo += c;
            } else if (i + 1 < tamanho && dados[i + 1] == '"') {
                campo += '"';
                ++i;
            } else {
                entreAspas = false;
            }
        } else if (c == ',') {
            campos << TextoCampoCsv(campo);
            campo.clear();
            campoIniciado = false;
            continue;
        } else if (c == '"' && !campoIniciado) {
            entreAspas = true;
        } else {
            campo += c;
        }
        campoIniciado = true;
    }
    campos << TextoCampoCsv(campo);
    return campos;
}
