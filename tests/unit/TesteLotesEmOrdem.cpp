// The runs of records the analysis shares out among threads, and the key list that finds records
// the rules would write under one key.
#include "ListaChaves.h"
#include "LotesEmOrdem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// Lots that take longer the earlier they are, so that later ones are done first.
std::int64_t LoteLento(std::int64_t lote, std::int64_t quantidade) {
    std::this_thread::sleep_for(std::chrono::microseconds(20 * (quantidade - lote)));
    return lote;
}

} // namespace

TEST(LotesEmOrdem, ResultadosChegamNaOrdemDosLotesComQualquerNumeroDeThreads) {
    for (const int threads : {1, 2, 3, 8}) {
        for (const std::int64_t quantidade : {0, 1, 5, 64}) {
            std::vector<std::int64_t> consumidos;
            ProcessaLotesEmOrdem<std::int64_t>(
                threads, quantidade, [&](int, std::int64_t lote) { return LoteLento(lote, quantidade); },
                [&](std::int64_t& lote) { consumidos.push_back(lote); });
            std::vector<std::int64_t> esperados;
            for (std::int64_t i = 0; i < quantidade; ++i) {
                esperados.push_back(i);
            }
            EXPECT_EQ(consumidos, esperados) << threads << " threads, " << quantidade << " lotes";
        }
    }
}

TEST(LotesEmOrdem, UmErroParaOsLotesEChegaAQuemChamaDepoisDosAnteriores) {
    struct TCaso {
        const char* onde;
        bool noTrabalho;
    };
    for (const TCaso caso : {TCaso{"no lote", true}, TCaso{"ao consumir", false}}) {
        std::vector<std::int64_t> consumidos;
        EXPECT_THROW(ProcessaLotesEmOrdem<std::int64_t>(
                         2, 1000,
                         [&](int, std::int64_t lote) {
                             if (caso.noTrabalho && lote == 7) {
                                 throw std::runtime_error("lote 7");
                             }
                             return lote;
                         },
                         [&](std::int64_t& lote) {
                             if (!caso.noTrabalho && lote == 7) {
                                 throw std::runtime_error("lote 7");
                             }
                             consumidos.push_back(lote);
                         }),
                     std::runtime_error)
            << caso.onde;
        EXPECT_EQ(consumidos, (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5, 6})) << caso.onde;
    }
}

TEST(ListaChaves, NomeiaOPrimeiroRegistroDeCadaChaveRepetidaMesmoSemReservaNemTextoAscii) {
    TListaChaves lista; // no room reserved: it grows as keys come
    for (int i = 0; i < 5000; ++i) {
        ASSERT_FALSE(lista.Nota(std::to_string(i), i + 1, "c" + std::to_string(i))) << i;
    }
    const auto segunda = lista.Nota("42", 9001, "0042");
    ASSERT_TRUE(segunda);
    EXPECT_EQ(segunda->registro, 43);
    EXPECT_EQ(segunda->codigo, QStringLiteral("c42"));
    EXPECT_FALSE(segunda->jaRepetida);
    const auto terceira = lista.Nota("42", 9002, "42");
    ASSERT_TRUE(terceira);
    EXPECT_EQ(terceira->registro, 43);
    EXPECT_TRUE(terceira->jaRepetida);

    EXPECT_FALSE(lista.Nota("AÇÚCAR", 1, "ção"));
    const auto acentuada = lista.Nota("AÇÚCAR", 2, "x");
    ASSERT_TRUE(acentuada);
    EXPECT_EQ(acentuada->codigo, QStringLiteral("ção"));
    EXPECT_FALSE(lista.Nota("AÇUCAR", 3, "y")) << "another key, not the same";

    lista.Esvazia();
    EXPECT_FALSE(lista.Nota("42", 1, "42")) << "a new table starts without keys";
}
