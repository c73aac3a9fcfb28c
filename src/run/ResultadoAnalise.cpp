#include "ResultadoAnalise.h"

#include "TextoColunas.h"

#include <QJsonArray>

#include <algorithm>

namespace {

// "2 chave repetida no destino, 1 número ilegível" for one class of a table, as the run's summary
// counts its changes.
QString Detalhe(const TAnaliseTabela& tabela, ClasseProblema classe) {
    QStringList partes;
    for (const TContagemProblema& c : tabela.problemas) {
        if (c.classe == classe) {
            partes << QStringLiteral("%1 %2").arg(c.quantidade).arg(RotuloAlteracao(c.oQue));
        }
    }
    return partes.join(QStringLiteral(", "));
}

// A source value on a terminal: control characters (escape sequences among them) shown as their
// Unicode pictures, never sent as they are, and a long value cut.
QString Visivel(const QString& valor) {
    constexpr qsizetype kMaximo = 60;
    QString visivel = valor.size() > kMaximo ? valor.left(kMaximo) + QStringLiteral("…") : valor;
    for (QChar& c : visivel) {
        if (c.unicode() < 0x20) {
            c = QChar(0x2400 + c.unicode());
        } else if (c.unicode() == 0x7F) {
            c = QChar(0x2421);
        } else if (c.unicode() >= 0x80 && c.unicode() < 0xA0) {
            c = QChar(0xFFFD);
        }
    }
    return visivel;
}

QString Exemplo(const TAlteracao& a) {
    QString texto = QStringLiteral("registro %1").arg(a.registro);
    if (!a.codigoOrigem.isEmpty()) {
        texto += QStringLiteral(" (código %1)").arg(Visivel(a.codigoOrigem));
    }
    return texto + QStringLiteral(": \"%1\" -> \"%2\"").arg(Visivel(a.valorOriginal), Visivel(a.valorGravado));
}

QJsonObject ExemploJson(const TAlteracao& a) {
    return {{QStringLiteral("registro"), a.registro},
            {QStringLiteral("codigo"), a.codigoOrigem},
            {QStringLiteral("alteracao"), a.OQue()},
            {QStringLiteral("valorOriginal"), a.valorOriginal},
            {QStringLiteral("valorGravado"), a.valorGravado}};
}

} // namespace

qint64 TResultadoAnalise::Quantidade(ClasseProblema classe) const {
    qint64 total = 0;
    for (const TAnaliseTabela& t : tabelas) {
        total += t.Quantidade(classe);
    }
    return total;
}

QString ConclusaoAnalise(const TResultadoAnalise& resultado) {
    const qint64 fatais = resultado.Quantidade(ClasseProblema::Fatal);
    if (fatais > 0) {
        return QStringLiteral("%1 problema(s) fatal(is): a conversão pararia ou perderia registros.").arg(fatais);
    }
    return QStringLiteral("Nenhum problema fatal: a conversão pode ser feita (%1 perda(s), %2 problema(s) de "
                          "qualidade).")
        .arg(resultado.Quantidade(ClasseProblema::Perda))
        .arg(resultado.Quantidade(ClasseProblema::Qualidade));
}

QString FormataAnalise(const TResultadoAnalise& resultado) {
    std::vector<QStringList> tabelas = {{QStringLiteral("Tabela"), QStringLiteral("Tipo"), QStringLiteral("Registros"),
                                         QStringLiteral("Excluídos"), QStringLiteral("Página")}};
    for (const TAnaliseTabela& t : resultado.tabelas) {
        tabelas.push_back(
            {t.tabela, t.nome, t.lida ? QString::number(t.registros) : QStringLiteral("-"),
             t.lida ? QString::number(t.excluidos) : QStringLiteral("-"),
             t.lida ? QStringLiteral("%1 (%2)").arg(t.paginaCodigo, t.escolhaPagina) : QStringLiteral("ilegível")});
    }
    QStringList texto = AlinhaColunas(tabelas, {false, false, true, true, false});
    texto << QString();

    std::vector<QStringList> classes = {
        {QStringLiteral("Tabela"), QStringLiteral("Classe"), QStringLiteral("Problemas"), QStringLiteral("Detalhe")}};
    for (const TAnaliseTabela& t : resultado.tabelas) {
        for (const ClasseProblema classe : kClassesProblema) {
            classes.push_back(
                {t.tabela, NomeClasse(classe), QString::number(t.Quantidade(classe)), Detalhe(t, classe)});
        }
    }
    texto << AlinhaColunas(classes, {false, false, true, false});

    QStringList perdas;
    for (const TAnaliseTabela& t : resultado.tabelas) {
        for (const TPerdaCampo& p : t.perdas) {
            const QString onde = p.coluna.isEmpty() ? QStringLiteral("%1.%2").arg(t.tabela, p.campo)
                                                    : QStringLiteral("%1.%2 -> %3").arg(t.tabela, p.campo, p.coluna);
            // What happened as the first example says it: "cortado na largura 60".
            const QString oQue = p.exemplos.empty() ? RotuloAlteracao(p.oQue) : p.exemplos.front().OQue();
            perdas << QStringLiteral("- %1, %2: %3").arg(onde, oQue).arg(p.quantidade);
            for (const TAlteracao& exemplo : p.exemplos) {
                perdas << QStringLiteral("    %1").arg(Exemplo(exemplo));
            }
        }
    }
    if (!perdas.isEmpty()) {
        texto << QString() << QStringLiteral("Perdas por campo (primeiros exemplos):") << perdas;
    }
    QStringList avisos;
    for (const TAnaliseTabela& t : resultado.tabelas) {
        for (const QString& aviso : t.avisos) {
            avisos << QStringLiteral("- ") + aviso;
        }
    }
    if (!avisos.isEmpty()) {
        texto << QString() << QStringLiteral("Avisos da leitura:") << avisos;
    }
    texto << QString() << ConclusaoAnalise(resultado);
    return texto.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QJsonObject AnaliseJson(const TResultadoAnalise& resultado) {
    QJsonArray tabelas;
    QJsonObject total;
    for (const ClasseProblema classe : kClassesProblema) {
        total.insert(NomeClasse(classe), resultado.Quantidade(classe));
    }
    for (const TAnaliseTabela& t : resultado.tabelas) {
        QJsonObject problemas;
        for (const ClasseProblema classe : kClassesProblema) {
            QJsonObject porTipo;
            for (const TContagemProblema& c : t.problemas) {
                if (c.classe == classe) {
                    porTipo.insert(ChaveAlteracao(c.oQue), c.quantidade);
                }
            }
            problemas.insert(NomeClasse(classe), QJsonObject{{QStringLiteral("total"), t.Quantidade(classe)},
                                                             {QStringLiteral("tipos"), porTipo}});
        }
        QJsonArray perdas;
        for (const TPerdaCampo& p : t.perdas) {
            QJsonArray exemplos;
            for (const TAlteracao& e : p.exemplos) {
                exemplos.append(ExemploJson(e));
            }
            perdas.append(QJsonObject{{QStringLiteral("campo"), p.campo},
                                      {QStringLiteral("coluna"), p.coluna},
                                      {QStringLiteral("alteracao"), ChaveAlteracao(p.oQue)},
                                      {QStringLiteral("quantidade"), p.quantidade},
                                      {QStringLiteral("exemplos"), exemplos}});
        }
        QJsonObject tabela{{QStringLiteral("tipo"), t.chave},
                           {QStringLiteral("nome"), t.nome},
                           {QStringLiteral("tabela"), t.tabela},
                           {QStringLiteral("lida"), t.lida},
                           {QStringLiteral("registros"), t.registros},
                           {QStringLiteral("excluidos"), t.excluidos},
                           {QStringLiteral("problemas"), problemas},
                           {QStringLiteral("perdasPorCampo"), perdas},
                           {QStringLiteral("avisos"), QJsonArray::fromStringList(t.avisos)}};
        if (t.lida) {
            tabela.insert(QStringLiteral("paginaCodigo"), t.paginaCodigo);
            tabela.insert(QStringLiteral("escolhaPagina"), t.escolhaPagina);
        }
        tabelas.append(tabela);
    }
    return {{QStringLiteral("analise"), true},
            {QStringLiteral("origem"), resultado.pasta},
            {QStringLiteral("fatal"), resultado.Fatal()},
            {QStringLiteral("tabelas"), tabelas},
            {QStringLiteral("total"), total}};
}

bool EhAnaliseJson(const QJsonObject& json) {
    return json.value(QStringLiteral("analise")).toBool() && json.value(QStringLiteral("tabelas")).isArray() &&
           json.value(QStringLiteral("total")).isObject();
}
