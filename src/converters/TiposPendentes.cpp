// Kinds whose controllers are not built yet. Each kind's controller file replaces its entry
// here when it lands; the headless command refuses the kinds listed.
#include "TiposPendentes.h"

#include "ClientesController.h"
#include "EConversao.h"
#include "FornecedoresController.h"
#include "ProdutosController.h"
#include "VendedoresController.h"

#include <QStringList>

namespace {

const QStringList kPendentes = {
    QStringLiteral("VENDEDORES"),
    QStringLiteral("CLIENTES"),
    QStringLiteral("FORNECEDORES"),
    QStringLiteral("PRODUTOS"),
};

[[noreturn]] void Indisponivel(const char* tipo) {
    throw EConversao(QStringLiteral("A conversão de %1 ainda não está disponível.").arg(QLatin1String(tipo)));
}

} // namespace

bool TipoDisponivel(const QString& chave) { return !kPendentes.contains(chave); }

void TVendedoresController::PreencheDadosVendedores(const QString&, TConexaoDestino&, IBarraProgresso&, IRotulo&) {
    Indisponivel("vendedores");
}
void TClassPreencheDadosClientes::PreencheDadosClientes(const QString&, TConexaoDestino&, IBarraProgresso&,
                                                        IRotulo&) {
    Indisponivel("clientes");
}
void TFornecedoresController::PreencheDadosFornecedores(const QString&, TConexaoDestino&, IBarraProgresso&,
                                                        IRotulo&) {
    Indisponivel("fornecedores");
}
void TClassPreencheDadosProdutos::PreencheDadosProdutos(const QString&, TConexaoDestino&, IBarraProgresso&,
                                                        IRotulo&) {
    Indisponivel("produtos");
}
