#include "DadosExemplo.h"

#include "TEscritorDbf.h"

namespace exemplo {

namespace {

Lista Textos(std::initializer_list<const char*> textos) {
    Lista lista;
    lista.reserve(textos.size());
    for (const char* t : textos) {
        lista.push_back(QString::fromUtf8(t));
    }
    return lista;
}

} // namespace

// ---- the data pools -------------------------------------------------------------------------------

// clang-format off: the pools read better as running text than as aligned columns.

const Lista& PrimeirosNomes() {
    static const Lista l =
        Textos({"João",      "José",      "Antônio", "Francisco", "Carlos",    "Paulo",   "Pedro",     "Luís",
                "Sebastião", "Raimundo",  "Geraldo", "Márcio",    "Sérgio",    "Rogério", "Fábio",     "Wellington",
                "Cláudio",   "Délcio",    "Maria",   "Ana",       "Francisca", "Antônia", "Conceição", "Luíza",
                "Márcia",    "Sônia",     "Tânia",   "Cecília",   "Inês",      "Fátima",  "Zélia",     "Glória",
                "Aparecida", "Rosângela", "Lúcia",   "Mônica",    "Débora"});
    return l;
}

const Lista& Sobrenomes() {
    static const Lista l = Textos(
        {"Silva",    "Santos",  "Oliveira", "Souza",  "Rodrigues", "Ferreira",  "Alves",   "Pereira",   "Lima",
         "Gomes",    "Ribeiro", "Carvalho", "Araújo", "Gonçalves", "Magalhães", "D'Ávila", "D'Angelo",  "Conceição",
         "Assunção", "Brandão", "Falcão",   "Simões", "Guimarães", "Peçanha",   "Antunes", "Damasceno", "Estêvão",
         "Mendonça", "Vieira",  "Catão",    "Lemos",  "Sant'Anna", "Nogueira",  "Gusmão"});
    return l;
}

const Lista& Ramos() {
    static const Lista l = Textos({"Comercial",    "Distribuidora", "Materiais de Construção",
                                   "Ferragens",    "Tintas",        "Auto Peças",
                                   "Supermercado", "Mercearia",     "Panificadora",
                                   "Drogaria",     "Papelaria",     "Agropecuária",
                                   "Madeireira",   "Casa",          "Armazém",
                                   "Depósito",     "Construtora",   "Serralheria",
                                   "Marcenaria",   "Elétrica",      "Vidraçaria"});
    return l;
}

const Lista& Fantasias() {
    static const Lista l = Textos({"São Jorge",     "Nossa Senhora Aparecida",
                                   "Três Irmãos",   "Boa Esperança",
                                   "Pão de Açúcar", "Estrela",
                                   "Planalto",      "Central",
                                   "Minas",         "Ipê",
                                   "Paraná",        "Santa Luzia",
                                   "Bom Jesus",     "União",
                                   "Progresso",     "Alvorada",
                                   "Primavera",     "São Cristóvão",
                                   "Vitória",       "Jequitibá",
                                   "Itatiaia",      "Mantiqueira"});
    return l;
}

const Lista& Sufixos() {
    static const Lista l = Textos({"Ltda", "Ltda.", "Ltda - ME", "ME", "EPP", "S/A", "S.A.", "& Cia. Ltda",
                                   "Comércio Ltda", "Indústria e Comércio Ltda"});
    return l;
}

const Lista& Apelidos() {
    static const Lista l =
        Textos({"do Zé", "Dois Irmãos", "da Esquina", "do Tião", "Cantinho", "Ponto Certo", "da Vovó"});
    return l;
}

const Lista& Logradouros() {
    static const Lista l = Textos({"Rua", "Rua", "Rua", "R.", "Av.", "Avenida", "Travessa", "Praça", "Alameda"});
    return l;
}

const Lista& NomesDeRua() {
    static const Lista l = Textos({"Sete de Setembro",
                                   "Tiradentes",
                                   "Dom Pedro II",
                                   "Getúlio Vargas",
                                   "Afonso Pena",
                                   "Amazonas",
                                   "Bahia",
                                   "São Paulo",
                                   "Quinze de Novembro",
                                   "Floriano Peixoto",
                                   "Rio Branco",
                                   "João Pinheiro",
                                   "do Contorno",
                                   "dos Andradas",
                                   "Barão de Mauá",
                                   "Marechal Deodoro",
                                   "Santos Dumont",
                                   "7 de Setembro",
                                   "13 de Maio",
                                   "Padre Eustáquio",
                                   "Cônego Luís Rocha",
                                   "Olegário Maciel",
                                   "Espírito Santo",
                                   "Guajajaras",
                                   "dos Inconfidentes",
                                   "B"});
    return l;
}

const Lista& Bairros() {
    static const Lista l =
        Textos({"Centro",   "Savassi",         "Funcionários",   "Barro Preto",    "Santa Efigênia",  "Lourdes",
                "Floresta", "Padre Eustáquio", "Jardim América", "Vila Nova",      "São Cristóvão",   "Industrial",
                "Eldorado", "Cidade Nova",     "Pampulha",       "Olhos D'Água",   "Jardim Paulista", "Boa Viagem",
                "Sion",     "Caiçara",         "Santa Tereza",   "Alípio de Melo", "Camargos",        "Vila \"Nova\""});
    return l;
}

const std::vector<TCidade>& Cidades() {
    static const std::vector<TCidade> l = [] {
        struct Linha {
            const char* nome;
            const char* uf;
            int ddd;
            int cep;
        };
        // Belo Horizonte appears under the spellings a data-entry clerk used.
        const Linha linhas[] = {
            {"Belo Horizonte", "MG", 31, 30130},
            {"BELO HORIZONTE", "MG", 31, 30140},
            {"BHTE", "MG", 31, 30110},
            {"B. Horizonte", "MG", 31, 30190},
            {"Contagem", "MG", 31, 32010},
            {"Betim", "MG", 31, 32600},
            {"Sete Lagoas", "MG", 31, 35700},
            {"Juiz de Fora", "MG", 32, 36010},
            {"Uberlândia", "MG", 34, 38400},
            {"Montes Claros", "MG", 38, 39400},
            {"Ipatinga", "MG", 31, 35160},
            {"Pará de Minas", "MG", 37, 35660},
            {"Conceição do Mato Dentro", "MG", 31, 35860},
            {"Itaúna", "MG", 37, 35680},
            {"São João del-Rei", "MG", 32, 36300},
            {"São Paulo", "SP", 11, 1310},
            {"Campinas", "SP", 19, 13010},
            {"Ribeirão Preto", "SP", 16, 14010},
            {"Rio de Janeiro", "RJ", 21, 20040},
            {"Niterói", "RJ", 21, 24020},
            {"Vitória", "ES", 27, 29010},
            {"Goiânia", "GO", 62, 74003},
            {"Brasília", "DF", 61, 70040},
            {"Salvador", "BA", 71, 40020},
            {"Curitiba", "PR", 41, 80010},
            {"Maringá", "PR", 44, 87013},
            {"Florianópolis", "SC", 48, 88010},
            {"Porto Alegre", "RS", 51, 90010},
            {"Recife", "PE", 81, 50010},
            {"Fortaleza", "CE", 85, 60060},
            {"Belém", "PA", 91, 66010},
            {"São Luís", "MA", 98, 65010},
            {"João Pessoa", "PB", 83, 58010},
            {"Cuiabá", "MT", 65, 78005},
        };
        std::vector<TCidade> cidades;
        for (const Linha& c : linhas) {
            cidades.push_back({QString::fromUtf8(c.nome), QString::fromLatin1(c.uf), c.ddd, c.cep});
        }
        return cidades;
    }();
    return l;
}

const Lista& Atividades() {
    static const Lista l =
        Textos({"Comércio varejista", "Comércio atacadista", "Construção civil", "Indústria", "Prestação de serviços",
                "Supermercado", "Órgão público", "Agropecuária", "Transporte de cargas", "Oficina mecânica",
                "Padaria e confeitaria", "Restaurante", "Farmácia", "Comércio varejista de materiais de construção",
                "Construtora / empreiteira", "Condomínio"});
    return l;
}

const Lista& Observacoes() {
    static const Lista l = Textos(
        {"Cliente desde 1995.", "Paga em dia.", "Não vender a prazo!",
         "Cheque devolvido em 03/2001 - falar c/ Sr. José antes de vender.", "Entregar após as 14h.",
         "Só aceita nota com pedido de compra nº.", "Cobrança no escritório: \"falar com a Sônia\".",
         "Desconto de 5% à vista.", "Obra na Rua Tiradentes, 450 - entregar no depósito.", "Limite revisto em 12/2003.",
         "Protestado em 1999; acordo quitado.", "Referência: Ferragens São Jorge (3222-1000)."});
    return l;
}

// A product and the sizes it comes in, separated by '|'.
const std::vector<Lista>& Produtos() {
    static const std::vector<Lista> l = [] {
        const char* const linhas[] = {
            "Parafuso sextavado|1/4\" x 2\"|3/8\" x 1 1/2\"|5/16\" x 1\"",
            "Parafuso p/ madeira|3,5 x 25mm|4,2 x 40mm|5 x 50mm",
            "Prego c/ cabeça|18x27|17x21|15x15",
            "Porca sextavada|1/4\"|3/8\"|1/2\"",
            "Arruela lisa|1/4\"|5/16\"",
            "Tinta acrílica fosca|18L branco gelo|3,6L cinza|18L palha",
            "Esmalte sintético|900ml preto|3,6L azul França|225ml vermelho",
            "Massa corrida PVA|25kg|5,6kg",
            "Cimento CP-II|50kg|25kg",
            "Argamassa AC-I|20kg",
            "Cal hidratada|20kg",
            "Cano PVC soldável|25mm x 6m|32mm x 6m|50mm x 6m",
            "Joelho 90º PVC|25mm|3/4\"|1/2\"",
            "Registro de gaveta|3/4\"|1\"",
            "Torneira p/ tanque|1/2\"|3/4\"",
            "Fio flexível|2,5mm² azul|4mm² preto|1,5mm² vermelho",
            "Disjuntor bipolar|40A|50A",
            "Disjuntor unipolar|10A|20A|32A",
            "Tomada 2P+T|10A|20A",
            "Lâmpada fluorescente|20W|40W|15W",
            "Chave de fenda|3/16 x 6\"|1/4 x 8\"",
            "Alicate universal|8\"",
            "Martelo de unha|27mm",
            "Trena aço|5m|3m",
            "Lixa d'água nº|220|320|100",
            "Pá de bico c/ cabo",
            "Enxada larga|2,5 lb",
            "Veda-rosca|18mm x 10m|18mm x 50m",
            "Caixa d'água|500L|1000L",
            "Cola de contato|750g|2,8kg",
            "Silicone incolor|280g",
            "Broca aço rápido|6mm|8mm|10mm",
            "Serrote|22\"",
            "Cadeado latão|25mm|40mm",
            "Dobradiça|3\" x 2 1/2\"|3 1/2\"",
            "Fechadura externa",
            "Telha fibrocimento|2,44 x 1,10m|1,83 x 1,10m",
            "Tijolo baiano|9 x 19 x 19",
            "Areia lavada|m³",
            "Brita nº|1|0",
            "Luva de raspa|cano curto",
        };
        std::vector<Lista> produtos;
        for (const char* linha : linhas) {
            const QStringList partes = QString::fromUtf8(linha).split(QLatin1Char('|'));
            produtos.emplace_back(partes.begin(), partes.end());
        }
        return produtos;
    }();
    return l;
}

const Lista& Unidades() {
    static const Lista l = Textos({"UN", "UN", "UN", "PC", "PC",  "KG", "CX", "MT", "LT", "M2", "M3", "PCT",
                                   "RL", "SC", "GL", "DZ", "PAR", "JG", "un", "Pç", "BD", "TB", "CT"});
    return l;
}

const Lista& Setores() {
    static const Lista l = Textos({"Ferragens",
                                   "Tintas",
                                   "Elétrica",
                                   "Hidráulica",
                                   "Material básico",
                                   "Ferramentas",
                                   "Jardinagem",
                                   "Iluminação",
                                   "Pisos e revestimentos",
                                   "Louças e metais",
                                   "Madeiras",
                                   "Parafusos/porcas",
                                   "Colas e adesivos",
                                   "Utilidades domésticas",
                                   "E.P.I.",
                                   "Automotivo",
                                   "Químicos",
                                   "Portas e janelas",
                                   "Cimento/argamassa",
                                   "Telhas",
                                   "Vidros",
                                   "Aço e vergalhões",
                                   "Fechaduras",
                                   "Conexões",
                                   "Higiene e limpeza",
                                   "Peças p/ fogão",
                                   "Bombas d'água"});
    return l;
}

const Lista& QualificadoresDeSetor() {
    static const Lista l = Textos({"linha leve", "linha pesada", "importados", "promoção", "atacado", "varejo",
                                   "nacional", "reposição", "obra", "acabamento"});
    return l;
}

// clang-format on

// ---- values ----------------------------------------------------------------------------------------

// Most DOS-era records were typed in capitals; some were not.
QString Caixa(TSorteio& s, const QString& texto) {
    return s.Chance(650) ? texto.toUpper() : texto;
}

QString NomePessoa(TSorteio& s) {
    QString nome = s.Um(PrimeirosNomes());
    if (s.Chance(300)) {
        nome += QLatin1Char(' ') + s.Um(PrimeirosNomes());
    }
    if (s.Chance(200)) {
        nome += QLatin1String(s.Chance(500) ? " da " : " dos ");
        nome += s.Um(Sobrenomes());
    }
    nome += QLatin1Char(' ') + s.Um(Sobrenomes());
    if (s.Chance(500)) {
        nome += QLatin1Char(' ') + s.Um(Sobrenomes());
    }
    return nome;
}

// Words drawn one after the other and joined with blanks.
QString Junta(std::initializer_list<QString> partes) {
    QStringList lista(partes);
    return lista.join(QLatin1Char(' '));
}

QString NomeEmpresa(TSorteio& s) {
    switch (s.Ate(10)) {
    case 0:
    case 1: {
        const QString a = s.Um(Sobrenomes());
        const QString b = s.Um(Sobrenomes());
        return Junta({a, QStringLiteral("&"), b, s.Um(Sufixos())});
    }
    case 2: {
        const QString ramo = s.Um(Ramos());
        const QString nome = s.Um(Sobrenomes());
        return Junta({ramo, nome, s.Um(Sufixos())});
    }
    case 3: {
        // The odd nickname in double quotes.
        const QString ramo = QString::fromUtf8(s.Chance(500) ? "Bar" : "Mercearia");
        return ramo + QLatin1String(" \"") + s.Um(Apelidos()) + QLatin1Char('"');
    }
    default: {
        const QString ramo = s.Um(Ramos());
        const QString fantasia = s.Um(Fantasias());
        return Junta({ramo, fantasia, s.Um(Sufixos())});
    }
    }
}

QString Endereco(TSorteio& s) {
    const QString logradouro = s.Um(Logradouros());
    const QString rua = logradouro + QLatin1Char(' ') + s.Um(NomesDeRua());
    const QString numero = QString::number(s.Entre(1, 3500));
    switch (s.Ate(20)) {
    case 0:
        return rua + QLatin1String(" S/N");
    case 1:
        return rua + QString::fromUtf8(" nº") + numero;
    case 2:
    case 3:
        return rua + QLatin1String(", ") + numero + QLatin1String(" - apto ") + QString::number(s.Entre(101, 1204));
    case 4:
        return rua + QString::fromUtf8(", nº ") + numero + QLatin1String(" - sala ") + QString::number(s.Entre(1, 30));
    case 5:
    case 6:
    case 7:
        return rua + QLatin1Char(' ') + numero;
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
        return rua + QString::fromUtf8(", nº ") + numero;
    default:
        return rua + QLatin1String(", ") + numero;
    }
}

QString Cep(TSorteio& s, const TCidade& cidade) {
    const QString cinco = QStringLiteral("%1").arg(cidade.cep, 5, 10, QLatin1Char('0'));
    const QString tres = s.Digitos(3);
    switch (s.Ate(20)) {
    case 0:
        return {};
    case 1:
    case 2:
    case 3:
        return cinco + tres;
    case 4:
        return cinco.left(2) + QLatin1Char('.') + cinco.mid(2) + QLatin1Char('-') + tres;
    default:
        return cinco + QLatin1Char('-') + tres;
    }
}

QString Telefone(TSorteio& s, const TCidade& cidade, bool celular) {
    const QString ddd = QString::number(cidade.ddd);
    // Eight-digit numbers, as they were before mobiles got their ninth digit.
    QString inicio = celular ? QStringLiteral("9") : QString::number(s.Entre(2, 3));
    inicio += s.Digitos(3);
    const QString numero = inicio + QLatin1Char('-') + s.Digitos(4);
    switch (s.Ate(6)) {
    case 0:
        return QLatin1String("(0") + ddd + QLatin1Char(')') + numero;
    case 1:
        return QLatin1Char('(') + ddd + QLatin1String(") ") + numero;
    case 2:
        return numero;
    case 3:
        return QLatin1Char('0') + ddd + QLatin1Char(' ') + QString(numero).replace(QLatin1Char('-'), QLatin1Char(' '));
    case 4:
        return QLatin1Char('(') + ddd + QLatin1Char(')') + numero;
    default:
        return QLatin1String("(0") + ddd + QLatin1String(") ") + numero;
    }
}

// Check digit of the CPF/CNPJ family: weighted sum modulo 11.
int DigitoVerificador(const QString& digitos, const std::vector<int>& pesos) {
    int soma = 0;
    for (std::size_t i = 0; i < pesos.size(); ++i) {
        soma += digitos[static_cast<qsizetype>(i)].digitValue() * pesos[i];
    }
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

QString Cnpj(TSorteio& s) {
    QString d = s.Digitos(8) + QLatin1String("0001");
    d += QString::number(DigitoVerificador(d, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    d += QString::number(DigitoVerificador(d, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    switch (s.Ate(10)) {
    case 0:
    case 1:
        return d;
    case 2:
        return d.left(8) + QLatin1Char('/') + d.mid(8, 4) + QLatin1Char('-') + d.mid(12);
    default:
        return d.left(2) + QLatin1Char('.') + d.mid(2, 3) + QLatin1Char('.') + d.mid(5, 3) + QLatin1Char('/') +
               d.mid(8, 4) + QLatin1Char('-') + d.mid(12);
    }
}

QString Cpf(TSorteio& s) {
    QString d = s.Digitos(9);
    d += QString::number(DigitoVerificador(d, {10, 9, 8, 7, 6, 5, 4, 3, 2}));
    d += QString::number(DigitoVerificador(d, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
    if (s.Chance(200)) {
        return d;
    }
    return d.left(3) + QLatin1Char('.') + d.mid(3, 3) + QLatin1Char('.') + d.mid(6, 3) + QLatin1Char('-') + d.mid(9);
}

QString InscricaoEstadual(TSorteio& s, bool pessoa) {
    if (pessoa) {
        return s.Chance(700) ? QString() : QStringLiteral("ISENTO");
    }
    switch (s.Ate(10)) {
    case 0:
        return QStringLiteral("ISENTO");
    case 1:
        return QStringLiteral("Isento");
    case 2:
        return {};
    case 3:
        return s.Digitos(13);
    default: {
        const QString d = s.Digitos(13);
        return d.left(3) + QLatin1Char('.') + d.mid(3, 3) + QLatin1Char('.') + d.mid(6, 3) + QLatin1Char('/') +
               d.mid(9);
    }
    }
}

// Letters and digits of a name, lower-case ASCII: for e-mail addresses.
QString Apelido(const QString& texto) {
    QString r;
    for (const QChar c : texto.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() < 0x80 && c.isLetterOrNumber()) {
            r += c.toLower();
        }
    }
    return r.left(20);
}

QString Observacao(TSorteio& s) {
    QString texto = s.Um(Observacoes());
    const int mais = s.Chance(30) ? 6 : static_cast<int>(s.Ate(3));
    for (int i = 0; i < mais; ++i) {
        texto += QLatin1String("\r\n") + s.Um(Observacoes());
    }
    return texto;
}

QString Ean13(TSorteio& s) {
    QString d = QStringLiteral("789") + s.Digitos(9);
    int soma = 0;
    for (int i = 0; i < 12; ++i) {
        soma += d[i].digitValue() * (i % 2 == 0 ? 1 : 3);
    }
    return d + QString::number((10 - soma % 10) % 10);
}

double Centavos(qint64 centavos) {
    return static_cast<double>(centavos) / 100.0;
}

// ---- hostile text ----------------------------------------------------------------------------------

// Texts that break naive quoting, parameter parsing or encodings. The tables are cp850, so only what
// cp850 can hold is here: emoji and CJK cannot be stored in these files at all; the box-drawing
// characters, the dotless i and the double low line are the cp850 characters outside Windows-1252.
const Lista& TextosHostis() {
    static const Lista l = [] {
        Lista t = Textos({
            "O'Brien D'Ávila",
            "Aspas \"duplas\" e 'simples'",
            "'; DELETE FROM CLIENTE; --",
            "\"; DROP TABLE PRODUTO; --",
            "/* comentário */ fim",
            ":PARAMETROS :pCODGRUPO :NOME ? :1",
            "'' '''' \"\" \\' \\\" '",
            "─│┌┐└┘├┤┬┴┼ ═║╔╗╚╝ ░▒▓█▄▀■ ı ‗",
            "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ",
            "àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿß",
            "   espaços nas pontas   ",
            "COMMIT; ROLLBACK; Commit work;",
            "-./'-./'",
            "100% _curinga_ || ;; \\ ` ~ ^ {} [] <> &amp; @#$",
            "São João; Avô: Peña",
            "   ",
        });
        // Control characters and NUL, which a literal would not show.
        t.push_back(QStringLiteral("ctrl") + QChar(0) + QStringLiteral("nul") + QChar(1) + QChar(7) +
                    QStringLiteral("\t\r\n") + QChar(0x1B) + QStringLiteral("[0m") + QChar(0x1A) + QChar(0x7F) +
                    QStringLiteral("fim"));
        return t;
    }();
    return l;
}

void TTextoHostil::Sobrescreve(TEscritorDbf& escritor, qint64 registro) const {
    for (int campo = 0; campo < escritor.QuantCampos(); ++campo) {
        const TDefinicaoCampo& definicao = escritor.Campo(campo);
        if (definicao.tipo == 'C' || definicao.tipo == 'M') {
            escritor.Texto(campo, Valor(registro, campo, definicao.tamanho, definicao.tipo == 'M'));
        }
    }
}

QString TTextoHostil::Valor(qint64 registro, int campo, int largura, bool memo) {
    const Lista& textos = TextosHostis();
    const auto quantos = static_cast<qint64>(textos.size());
    const qint64 inicio = (registro * 7 + campo * 3) % quantos;
    // Each field runs through every text as the records go by; wide fields also get 300 characters.
    if (!memo && (largura < 255 || registro % 3 != 0)) {
        return textos[static_cast<std::size_t>(inicio)];
    }
    QString longo;
    for (qint64 i = inicio; longo.size() < 300; ++i) {
        longo += textos[static_cast<std::size_t>(i % quantos)] + QLatin1String(memo ? "\r\n" : " ");
    }
    if (memo) {
        // A dBASE III memo ends at the first 0x1A: that byte cannot be part of its text.
        longo.remove(QChar(0x1A));
        return longo;
    }
    return longo.left(300);
}

} // namespace exemplo
