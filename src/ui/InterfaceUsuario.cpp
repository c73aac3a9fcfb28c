#include "InterfaceUsuario.h"

namespace {

class TInterfaceMuda final : public IInterfaceUsuario {
public:
    void Aviso(const QString&) override {}
    void Erro(const QString&) override {}
    void Informacao(const QString&) override {}
    void ProcessaMensagens() override {}
};

TInterfaceMuda g_muda;
IInterfaceUsuario* g_instalada = nullptr;

} // namespace

void InstalaInterfaceUsuario(IInterfaceUsuario* interfaceUsuario) { g_instalada = interfaceUsuario; }

IInterfaceUsuario& InterfaceUsuario() { return g_instalada ? *g_instalada : g_muda; }
