// The statements of the customer record, emitted from one description of its row. Dialect 1:
// "N" is a text.
#include "Cliente.h"

#include "TQueryDestino.h"

std::span<const TColunaLinha<TConverteCliente>> TConverteCliente::Colunas() {
    using C = TConverteCliente;
    using namespace linha;
    // The key is written by the insert only; the update finds the row by it. The target has no
    // "unknown date" value: an empty date is left out of the insert and cleared by the update.
    static const TColunaLinha<C> colunas[] = {
        Texto<&C::FCodCliente>("cliente.codCliente", kInsercao | kChave),
        Texto<&C::FNome>("cliente.nome"),
        Texto<&C::FNomeFantasia>("cliente.nomefantasia"),
        Texto<&C::FEndereco>("cliente.endereco"),
        Texto<&C::FBairro>("cliente.bairro"),
        Texto<&C::FCodCidade>("cliente.codcidade"),
        Texto<&C::FEstado>("cliente.estado"),
        Texto<&C::FCep>("cliente.cep"),
        Texto<&C::FCgcCpf>("cliente.cgccpf"),
        Texto<&C::FInscEst>("cliente.inscest"),
        Texto<&C::FPessoa_FJ>("cliente.pessoa_fj"),
        Texto<&C::FFone>("cliente.fone"),
        Texto<&C::FFax>("cliente.fax"),
        Texto<&C::FPrefixCelular>("cliente.prefixcelular"),
        Texto<&C::FCelular>("cliente.celular"),
        Texto<&C::FCampoLivre1>("cliente.campolivre1"),
        Texto<&C::FCampoLivre2>("cliente.campolivre2"),
        Texto<&C::FCampoLivre3>("cliente.campolivre3"),
        Texto<&C::FCampoLivre4>("cliente.campolivre4"),
        Texto<&C::FCampoLivre5>("cliente.campolivre5"),
        Texto<&C::FCampoLivre6>("cliente.campolivre6"),
        Texto<&C::FCampoLivre7>("cliente.campolivre7"),
        Texto<&C::FCampoLivre8>("cliente.campolivre8"),
        Texto<&C::FCampoLivre9>("cliente.campolivre9"),
        Texto<&C::FCampoLivre10>("cliente.campolivre10"),
        Texto<&C::FObservacao>("cliente.observacao"),
        Texto<&C::FRetemISS>("cliente.RetemISS"),
        Texto<&C::FEmail>("cliente.email"),
        Texto<&C::FHomePage>("cliente.homepage"),
        Texto<&C::FEnderecoCob>("cliente.enderecocob"),
        Texto<&C::FBairroCob>("cliente.bairrocob"),
        Texto<&C::FCepCob>("cliente.cepcob"),
        Texto<&C::FCodCidadeCob>("cliente.codcidadecob"),
        Texto<&C::FEstadoCob>("cliente.estadocob"),
        Texto<&C::FEnderecoEntr>("cliente.enderecoent"),
        Texto<&C::FBairroEntr>("cliente.bairroent"),
        Texto<&C::FCepEntr>("cliente.cepent"),
        Texto<&C::FCodCidadeEntr>("cliente.codcidadeent"),
        Texto<&C::FEstadoEntr>("cliente.estadoent"),
        Texto<&C::FCodFornec>("cliente.codfornec"),
        Texto<&C::FContato>("Cliente.contato"),
        Texto<&C::FCodSegmento>("Cliente.CodSegmento"),
        Texto<&C::FCodClasCli>("Cliente.CodClasCli"),
        Texto<&C::FCodVendend1>("Cliente.CodVendend1"),
        Texto<&C::FCodPrazo>("Cliente.CodPrazo"),
        Real<&C::FLimiteCredito>("Cliente.LimiteCredito"),
        Texto<&C::FCodPais>("Cliente.CodPais"),
        Texto<&C::FCodMunicipio>("Cliente.CodMunicipio"),
        Texto<&C::FNomeSocio>("cliente.nomesocio"),
        DataTexto<&C::FDT_Nascimento>("cliente.dt_nascimento"),
        DataTexto<&C::FDT_Ult_Venda>("cliente.dt_ultvenda"),
        DataTexto<&C::FDT_Ult_Alteracao>("Cliente.Data_Ult_Alteracao"),
        DataTexto<&C::FDT_Cadastro>("cliente.dt_cadastro"),
        DataTexto<&C::FDT_Valcad>("cliente.DT_ValCad"),
        Texto<&C::FAtivo>("cliente.Ativo"),
        // A customer updated is never left blocked.
        Texto<&C::FCliBloqueado>("cliente.CliBloqueado", kInsercao),
        Constante<C>("cliente.CliBloqueado", "\"N\"", kAtualizacao),
        Constante<C>("cliente.maladiretaeletr", "\"N\""),
        Constante<C>("cliente.protestarcliente", "\"N\""),
    };
    return colunas;
}

// Any other Acao executes the statement already in QDestino again.
bool TConverteCliente::ExecutaSql(int Acao) {
    if (Acao == 1) {
        m_linha.Insere(Destino(), *this);
    } else if (Acao == 2) {
        m_linha.Atualiza(Destino(), *this);
    } else {
        Destino().Executa();
    }
    LimpaVariavel();
    return true;
}

void TConverteCliente::GravaNCliente(int Quant) {
    Destino().Fecha();
    Destino().SetSQL(QStringLiteral("insert into ncliente ( ncliente.codempresa, ncliente.numeroclientes) Values "
                                    "(\"00\", :numeroclientes)"));
    Destino().ParamInteiro(QStringLiteral("numeroclientes"), Quant);
    Destino().Executa();
}

void TConverteCliente::LimpaTabela() {
    EsvaziaTabela(QStringLiteral("CLIENTE"));
}
