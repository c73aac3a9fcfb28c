#pragma once

// What the window's test programs share: the application, styled as the real one, and the
// dialogs of "Abrir" answered in advance.
#include "DialogoArquivo.h"
#include "Estilo.h"
#include "TraducaoQt.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

/// One application for the whole test program; register it with AddGlobalTestEnvironment.
class TAmbienteQt final : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char nome[] = "teste_janela";
        static char* argv[] = {nome, nullptr};
        m_aplicacao = std::make_unique<QApplication>(argc, argv);
        traduzida = InstalaTraducaoQt(*m_aplicacao);
        AplicaEstilo(QStringLiteral("Turquoise Gray"));
        QApplication::setFont(FonteJanela(11));
    }
    void TearDown() override { m_aplicacao.reset(); }
    /// Whether Qt's Brazilian Portuguese translation was found and installed.
    static inline bool traduzida = false;

private:
    std::unique_ptr<QApplication> m_aplicacao;
};

/// The file dialogs and the question, answered in advance; every request is kept. A dialog without an
/// answer fails the test.
class TDialogoRespondido final : public IDialogoArquivo {
public:
    struct Pedido {
        QString pasta;
        QString filtro;
    };
    std::deque<std::optional<QString>> respostas;
    std::vector<Pedido> pedidos;
    std::deque<bool> respostasPerguntas;
    std::vector<QString> perguntas;
    std::deque<std::optional<QString>> respostasSalvar;
    std::vector<Pedido> pedidosSalvar; ///< `pasta` holds the proposed file

    std::optional<QString> EscolheArquivoParaSalvar(QWidget*, const QString& sugestao, const QString& filtro) override {
        pedidosSalvar.push_back({sugestao, filtro});
        if (respostasSalvar.empty()) {
            ADD_FAILURE() << "save dialog opened without an answer";
            return std::nullopt;
        }
        const QString arquivo = respostasSalvar.front().value_or(QString());
        respostasSalvar.pop_front();
        return arquivo.isEmpty() ? std::nullopt : std::make_optional(arquivo);
    }

    std::optional<QString> EscolheArquivo(QWidget*, const QString& pasta, const QString& filtro) override {
        pedidos.push_back({pasta, filtro});
        if (respostas.empty()) {
            ADD_FAILURE() << "file dialog opened without an answer";
            return std::nullopt;
        }
        if (!respostas.front()) {
            respostas.pop_front();
            return std::nullopt;
        }
        QString arquivo = *respostas.front();
        respostas.pop_front();
        return arquivo;
    }

    bool Pergunta(QWidget*, const QString& pergunta) override {
        perguntas.push_back(pergunta);
        if (respostasPerguntas.empty()) {
            ADD_FAILURE() << "question asked without an answer: " << pergunta.toStdString();
            return false;
        }
        const bool resposta = respostasPerguntas.front();
        respostasPerguntas.pop_front();
        return resposta;
    }
};
