#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

/// Works the lots 0 .. quantidade-1 on `trabalhadores` threads of their own and hands each lot's result
/// to `consome` on the calling thread, in lot order. `trabalha(trabalhador, lote)` runs on a worker's
/// thread; `trabalhador` (0 .. trabalhadores-1) lets each worker use things of its own, as no two
/// workers share one. At most two lots per worker are done and not yet consumed, so memory does not
/// grow with the number of lots. The first exception, from a lot or from `consome`, stops the workers;
/// it is rethrown here once every thread has ended, and no later lot is consumed.
template <typename Resultado>
void ProcessaLotesEmOrdem(int trabalhadores, std::int64_t quantidade,
                          const std::function<Resultado(int trabalhador, std::int64_t lote)>& trabalha,
                          const std::function<void(Resultado& resultado)>& consome) {
    if (quantidade <= 0) {
        return;
    }
    struct TVaga {
        std::int64_t lote = -1;
        std::optional<Resultado> resultado;
        std::exception_ptr erro;
    };
    const std::int64_t janela = 2 * static_cast<std::int64_t>(std::max(1, trabalhadores));
    std::vector<TVaga> vagas(static_cast<std::size_t>(janela)); // lot k waits in vaga k % janela
    std::mutex mutex;
    std::condition_variable mudou;
    std::int64_t proximo = 0;
    std::int64_t consumidos = 0;
    bool parar = false;

    auto trabalhador = [&](int indice) {
        for (;;) {
            std::int64_t lote = 0;
            {
                std::unique_lock trava(mutex);
                mudou.wait(trava, [&] { return parar || proximo >= quantidade || proximo < consumidos + janela; });
                if (parar || proximo >= quantidade) {
                    return;
                }
                lote = proximo++;
            }
            TVaga feita;
            feita.lote = lote;
            try {
                feita.resultado.emplace(trabalha(indice, lote));
            } catch (...) {
                feita.erro = std::current_exception();
            }
            {
                const std::lock_guard trava(mutex);
                vagas[static_cast<std::size_t>(lote % janela)] = std::move(feita);
            }
            mudou.notify_all();
        }
    };

    std::exception_ptr erro;
    {
        std::vector<std::jthread> threads;
        try {
            for (int i = 0; i < std::max(1, trabalhadores); ++i) {
                threads.emplace_back(trabalhador, i);
            }
            for (std::int64_t lote = 0; lote < quantidade; ++lote) {
                TVaga vaga;
                {
                    std::unique_lock trava(mutex);
                    TVaga& esperada = vagas[static_cast<std::size_t>(lote % janela)];
                    mudou.wait(trava, [&] { return esperada.lote == lote; });
                    vaga = std::move(esperada);
                    esperada.lote = -1;
                    ++consumidos;
                }
                mudou.notify_all();
                if (vaga.erro) {
                    std::rethrow_exception(vaga.erro);
                }
                consome(*vaga.resultado);
            }
        } catch (...) {
            erro = std::current_exception();
            {
                const std::lock_guard trava(mutex);
                parar = true;
            }
            mudou.notify_all();
        }
    } // the threads end here
    if (erro) {
        std::rethrow_exception(erro);
    }
}
