#include "TextoColunas.h"

#include <algorithm>

QStringList AlinhaColunas(const std::vector<QStringList>& linhas, const std::vector<bool>& numeros) {
    std::vector<qsizetype> larguras(numeros.size(), 0);
    for (const QStringList& l : linhas) {
        for (qsizetype i = 0; i < l.size(); ++i) {
            larguras[static_cast<std::size_t>(i)] = std::max(larguras[static_cast<std::size_t>(i)], l[i].size());
        }
    }
    QStringList texto;
    for (const QStringList& l : linhas) {
        QStringList celulas;
        for (qsizetype i = 0; i < l.size(); ++i) {
            const auto largura = static_cast<int>(larguras[static_cast<std::size_t>(i)]);
            celulas << (numeros[static_cast<std::size_t>(i)] ? l[i].rightJustified(largura)
                                                             : l[i].leftJustified(largura));
        }
        texto << celulas.join(QStringLiteral("  ")).trimmed();
    }
    return texto;
}
