#!/usr/bin/env bash
# How the tables in this folder were made: the five TAVRIN tables, small, written by programs other
# than ours, so the reader meets what they really write.
#   libreoffice-cp1252/  LibreOffice Calc (headless) from CSV, Windows-1252, no language-driver byte.
#                        The only accented letters are é â à Ç, which are letters in cp850 too.
#   gdal-cp850/          GDAL ogr2ogr from CSV, cp850, with the .cpg file GDAL writes beside each table;
#                        BASECALCULO becomes BASECALCUL, logicals become N(1).
# Needs libreoffice-calc-nogui, libreoffice-base-drivers and gdal-bin (not installed by scripts/setup:
# the tables are kept in the repository). Run from anywhere; it rewrites both folders.
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
trabalho="$(mktemp -d)"
trap 'rm -rf "$trabalho"' EXIT

# ---- LibreOffice: the header row gives dBASE types ("NOME,C,35", "VALOR,N,10,2", "DATA,D", "ATIVO,L").
mkdir -p "$trabalho/lo"
cat >"$trabalho/lo/TABVEND.csv" <<'CSV'
"CONTROLE,N,3,0","NOME,C,35","COMISSAO,N,5,2","ADMISSAO,D","ATIVO,L"
1,"José Carlos",2.5,2019-03-15,TRUE
2,"André Peres",,,FALSE
3,"Zé Lima",10,2020-01-02,TRUE
CSV
cat >"$trabalho/lo/TABCLI.csv" <<'CSV'
"CODIGO,N,8,0","NOME,C,40","ENDERECO,C,45","BAIRRO,C,20","CIDADE,C,25","ESTADO,C,2","CEP,C,10","CGC,C,18","INSC,C,16","OBS,C,60","CONTATO,C,25","TELEFONE,C,15","FAX,C,15","LKVENDEDOR,N,3,0","ATIVIDADE,C,30","DATA,D","NASCIMENTO,D","TAGFISICA,L","LIMITE,N,10,2"
1,"José Carlos","Rua da Sé, 10","Sé","Belo Horizonte","MG","30110-012","529.982.247-25","ISENTO","Paga à vista","André","(31) 3222-1000","",1,"CALÇADOS",2010-03-15,1980-12-01,TRUE,1500.5
2,"André Peres","R. DO CONTORNO, 3443 - APTO 1099","Lourdes","Contagem","MG","32010-000","111.444.777-35","","","Zé","(31) 3333-4444","(31) 3333-4445",2,"Câmaras e Pneus",2015-07-01,,TRUE,
3,"CALÇADOS LIMA LTDA","RUA J, 1.234","Centro","Betim","MG","32600-000","11.222.333/0001-81","062.307.904/0081","Entrega à tarde","","3133334444","",,"CALÇADOS",,,FALSE,0
CSV
cat >"$trabalho/lo/TABFOR.csv" <<'CSV'
"CONTROLE,N,6,0","EMPRESA,C,40","ENDERECO,C,40","BAIRRO,C,20","CIDADE,C,25","ESTADO,C,2","CEP,C,10","CGC,C,18","INSC,C,16","EMAIL,C,40","CONTATO,C,20","TELEFONE,C,15","FAX,C,15"
1,"Distribuidora Sé Ltda","Av. Amazonas, 500","Centro","Belo Horizonte","MG","30180-001","11.222.333/0001-81","0623079040081","vendas@distse.com.br","José","(31) 3201-0000",""
2,"CALÇADOS DO ZÉ","Rua Direita, 7","Centro","Uberaba","MG","38010-000","33.444.555/0001-91","","","Zé Lima","(34) 3312-0000","(34) 3312-0001"
CSV
cat >"$trabalho/lo/TABEST8.csv" <<'CSV'
"CONTROLE,N,3,0","SETOR,C,40","DESCONTO,N,5,2"
1,"CALÇADOS",0
2,"Câmaras e Pneus",5.5
3,"Café",
CSV
cat >"$trabalho/lo/TABEST1.csv" <<'CSV'
"CODIGO,N,6,0","PRODUTO,C,40","LKSETOR,N,3,0","LKFORNEC,N,6,0","UNIDADE,C,3","PRECOVENDA,N,11,2","ESTMINIMO,N,9,2","LUCRO,N,6,2","ULTREAJ,D","BASECALCULO,N,6,2","PRECOCUSTO,N,11,2","CUSTOMEDIO,N,13,4","QUANTIDADE,N,12,3"
15,"Bota Café 40",1,1,"PAR",189.9,2,35,2023-05-10,100,120.5,118.25,12
16,"Lâmpada 60W",2,2,"UN",7.5,10,40,,,4.2,4.1,250.5
17,"Chapéu de palha",3,1,"UN",45,1,50,2024-01-31,0,20,21.3333,-3
CSV
# Filter options: CSV comma-separated, quoted, UTF-8 (76), first line as header; dBASE in
# Windows-1252 (text encoding 1).
for csv in "$trabalho"/lo/*.csv; do
    soffice --headless --infilter="CSV:44,34,76,1,,1033" --convert-to "dbf:dBase:1" --outdir "$trabalho/lo" "$csv" >/dev/null
done
rm -rf "$aqui/libreoffice-cp1252"
mkdir -p "$aqui/libreoffice-cp1252"
for dbf in "$trabalho"/lo/*.dbf; do
    nome="$(basename "$dbf" .dbf)"
    cp "$dbf" "$aqui/libreoffice-cp1252/$nome.DBF"
done

# ---- GDAL: the .csvt file beside each CSV gives the field types.
mkdir -p "$trabalho/gdal"
cat >"$trabalho/gdal/TABVEND.csv" <<'CSV'
CONTROLE,NOME,COMISSAO,ADMISSAO,ATIVO
1,João Conceição,3.75,2018-11-05,1
2,Márcia Simões,,,0
CSV
echo '"Integer(3)","String(35)","Real(5.2)","Date","Integer(Boolean)"' >"$trabalho/gdal/TABVEND.csvt"
cat >"$trabalho/gdal/TABCLI.csv" <<'CSV'
CODIGO,NOME,ENDERECO,BAIRRO,CIDADE,ESTADO,CEP,CGC,INSC,OBS,CONTATO,TELEFONE,FAX,LKVENDEDOR,ATIVIDADE,DATA,NASCIMENTO,TAGFISICA,LIMITE
10,Ação Orgânica Ltda,"AVENIDA SANTOS DUMONT, Nº 2084 - SALA 27",Céu Azul,São José,SC,88101-000,11.222.333/0001-81,255.443.123,Não entregar às segundas,Luís Antônio,(48) 3241-0000,,1,Agropecuária,2012-09-30,,0,2500.75
11,Íris Gonçalves,RUA 13 DE MAIO S/N,Jardim Itú,Araçatuba,SP,16010-000,529.982.247-25,,,Íris,(18) 3623-1111,,2,,2001-01-01,1975-04-21,1,
CSV
echo '"Integer(8)","String(40)","String(45)","String(20)","String(25)","String(2)","String(10)","String(18)","String(16)","String(60)","String(25)","String(15)","String(15)","Integer(3)","String(30)","Date","Date","Integer(Boolean)","Real(10.2)"' >"$trabalho/gdal/TABCLI.csvt"
cat >"$trabalho/gdal/TABFOR.csv" <<'CSV'
CONTROLE,EMPRESA,ENDERECO,BAIRRO,CIDADE,ESTADO,CEP,CGC,INSC,EMAIL,CONTATO,TELEFONE,FAX
5,Indústria Pão de Açúcar S.A.,"Rua Tomé de Souza, 850",Savassi,Belo Horizonte,MG,30140-131,33.444.555/0001-91,,compras@paodeacucar.com.br,Conceição,(31) 3555-0000,
CSV
echo '"Integer(6)","String(40)","String(40)","String(20)","String(25)","String(2)","String(10)","String(18)","String(16)","String(40)","String(20)","String(15)","String(15)"' >"$trabalho/gdal/TABFOR.csvt"
cat >"$trabalho/gdal/TABEST8.csv" <<'CSV'
CONTROLE,SETOR,DESCONTO
4,Material de Construção,2.5
5,Elétrica e Iluminação,
CSV
echo '"Integer(3)","String(40)","Real(5.2)"' >"$trabalho/gdal/TABEST8.csvt"
cat >"$trabalho/gdal/TABEST1.csv" <<'CSV'
CODIGO,PRODUTO,LKSETOR,LKFORNEC,UNIDADE,PRECOVENDA,ESTMINIMO,LUCRO,ULTREAJ,BASECALCULO,PRECOCUSTO,CUSTOMEDIO,QUANTIDADE
20,Cimento Votoran 50kg - Saco,4,5,SC,39.9,20,25.5,2024-02-29,39.9,31.8,30.1234,145
21,Lâmpada LED 9W Bivolt,5,5,UN,12.49,,60,,,7.8,,0
CSV
echo '"Integer(6)","String(40)","Integer(3)","Integer(6)","String(3)","Real(11.2)","Real(9.2)","Real(6.2)","Date","Real(6.2)","Real(11.2)","Real(13.4)","Real(12.3)"' >"$trabalho/gdal/TABEST1.csvt"
rm -rf "$aqui/gdal-cp850"
mkdir -p "$aqui/gdal-cp850"
for csv in "$trabalho"/gdal/*.csv; do
    nome="$(basename "$csv" .csv)"
    ogr2ogr -q -f "ESRI Shapefile" -lco ENCODING=CP850 "$trabalho/gdal/$nome.dbf" "$csv" 2>/dev/null
    cp "$trabalho/gdal/$nome.dbf" "$aqui/gdal-cp850/$nome.DBF"
    cp "$trabalho/gdal/$nome.cpg" "$aqui/gdal-cp850/$nome.cpg"
done
