// ConversorTAVRIN: the window program.
#include "AdaptadoresQt.h"
#include "Estilo.h"
#include "TelaPrincipal.h"
#include "TraducaoQt.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ConversorTAVRIN"));
    QApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSAO));
    InstalaTraducaoQt(aplicacao);

    AplicaEstilo(QStringLiteral("Turquoise Gray"));
    // Message boxes and the file dialog use the window's font too.
    QApplication::setFont(FonteJanela(11));

    TInterfaceJanela interfaceJanela;
    InstalaInterfaceUsuario(&interfaceJanela);

    int saida = 0;
    {
        TFPrincipal FPrincipal;
        interfaceJanela.SetJanela(&FPrincipal);
        FPrincipal.show();
        saida = QApplication::exec();
    }
    InstalaInterfaceUsuario(nullptr);
    return saida;
}
