// The runs of records the analysis shares out among threads, and the key list that finds records
// the rules would write under one key.
#include "ListaChaves.h"
#include "LotesEmOrdem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
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

TEST(ListaChaves, NomeiaOPrimeiroRegistroDeCadaChaveMesmoComHashesIguaisESemReserva) {
    // Each record's key; keys "7" and "x" are given one hash on purpose, as two keys can share one.
    std::map<qint64, std::string> chaves;
    const auto hash = [](const std::string& chave) -> std::uint64_t {
        return chave == "x" ? std::hash<std::string>{}("7") : std::hash<std::string>{}(chave);
    };
    TListaChaves lista; // no room reserved: it grows as keys come
    const auto nota = [&](qint64 registro, const std::string& chave) {
        chaves[registro] = chave;
        return lista.Nota(hash(chave), registro, [&](qint64 outro) { return chaves.at(outro) == chave; });
    };
    for (int i = 1; i <= 5000; ++i) {
        ASSERT_FALSE(nota(i, std::to_string(i))) << i;
    }
    EXPECT_FALSE(nota(6001, "x")) << "the same hash as key 7, but another key";
    const auto segunda = nota(6002, "7");
    ASSERT_TRUE(segunda);
    EXPECT_EQ(segunda->registro, 7);
    EXPECT_FALSE(segunda->jaRepetida);
    const auto terceira = nota(6003, "7");
    ASSERT_TRUE(terceira);
    EXPECT_EQ(terceira->registro, 7);
    EXPECT_TRUE(terceira->jaRepetida);
    const auto outraX = nota(6004, "x");
    ASSERT_TRUE(outraX);
    EXPECT_EQ(outraX->registro, 6001);
    EXPECT_FALSE(outraX->jaRepetida);

    lista.Esvazia();
    EXPECT_FALSE(nota(1, "7")) << "a new table starts without keys";
}
