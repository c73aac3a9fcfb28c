#include "Argumentos.h"

#include <array>

bool TArgumentos::Valor(QString& destino) {
    if (Fim() || m_argumentos[m_posicao].startsWith(QLatin1String("--"))) {
        return false;
    }
    destino = Proximo();
    return true;
}

std::optional<PaginaCodigo> TArgumentos::ValorPaginaCodigo(QString& erro) {
    QString nome;
    const bool informada = Valor(nome);
    const std::optional<PaginaCodigo> pagina = PaginaCodigoPorNome(nome);
    if (!informada || !pagina) {
        erro = QStringLiteral("--pagina-codigo precisa de CP850, CP1252 ou outra página de código conhecida (%1): "
                              "\"%2\".")
                   .arg(PaginasCodigoDisponiveis(), nome);
        return std::nullopt;
    }
    return pagina;
}

QString ChaveDoTipo(const QString& opcao) {
    struct Tipo {
        const char* opcao;
        const char* chave;
    };
    static constexpr std::array<Tipo, 5> kTipos = {{
        {"--vendedores", "VENDEDORES"},
        {"--clientes", "CLIENTES"},
        {"--fornecedores", "FORNECEDORES"},
        {"--grupos-produtos", "GRUPOSPRODUTOS"},
        {"--produtos", "PRODUTOS"},
    }};
    for (const Tipo& t : kTipos) {
        if (opcao == QLatin1String(t.opcao)) {
            return QLatin1String(t.chave);
        }
    }
    return QString();
}
