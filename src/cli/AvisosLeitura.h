#pragma once

#include "ObservadorExecucao.h"

class TColetorResumo;

/// Passes a run's events on to the summary's collector and, when the run ends and before its final
/// message, shows each warning the reader gave about a source table as a warning of its own. Owns
/// nothing; the collector outlives it.
class TAvisosLeitura final : public TObservadorRepasse {
public:
    explicit TAvisosLeitura(TColetorResumo& coletor);

    QString FimExecucao(bool sucesso) override;

private:
    TColetorResumo& m_coletor;
};
