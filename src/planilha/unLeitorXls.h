#pragma once
// Excel 97-2003 workbooks (.xls: BIFF8, and BIFF5/7 of Excel 5 and 95),
// read from their records: the workbook's globals (shared strings, number
// formats, cell formats, the list of sheets) and then only the first
// worksheet, row by row. Values come out as the sheet shows them: numbers
// under their cell's number format, booleans, the cached results of
// formulas, merged cells filled with their top-left value. Nothing is
// allocated from what the file claims (its sheets' dimensions), only from
// what it holds.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

#include "unFormatoNumero.h"
#include "unLeitorPlanilha.h"

namespace mivo {

class CLLeitorXls : public CLLeitorPlanilha {
 public:
  CLLeitorXls(QString caminho, const LimitesPlanilha& limites);
  ~CLLeitorXls() override;
  bool abrir(QString& erro) override;
  int qtdPlanilhas() const override { return gPlanilhas; }
  bool prepararPrimeira(const PedidoParada& parar, QString& erro) override;
  bool proximaLinha(int& numero, QStringList& celulas, QString& erro) override;
  void limitarColunas(int n) override {
    CLLeitorPlanilha::limitarColunas(n);
    gMesclagens.limitarColunas(n);
  }

  // A record of the workbook stream: its type and where its data lie.
  struct Registro {
    quint16 tipo = 0;
    qsizetype dados = 0;    // offset of the data in the stream
    qsizetype tamanho = 0;
    qsizetype proximo = 0;  // offset of the next record
  };

 private:
  bool lerRegistro(qsizetype pos, Registro& r) const;
  bool lerGlobais(QString& erro);
  bool lerTextosCompartilhados(const Registro& sst);
  bool proximoRegistroDeCelula(Registro& r);
  void lerCelula(const Registro& r, QStringList& celulas) const;
  QString textoDaFormula(const Registro& formula) const;
  QString textoNumero(int xf, double valor) const;
  QString textoBytes(const char* dados, qsizetype tamanho) const;
  int proximaLinhaMesclada(int linha);

  QString gCaminho;
  LimitesPlanilha gLimites;
  QByteArray gLivro;             // the workbook stream
  int gVersao = 8;               // BIFF version: 8, or 5 (Excel 5 and 95)
  bool gData1904 = false;
  QStringList gTextos;           // shared strings (SST)
  QList<CLFormatoNumero> gFormatosXf;  // number format of each cell format (XF)
  int gPlanilhas = 0;
  qsizetype gInicioFolha = -1;   // offset of the first worksheet's BOF

  CLMesclagens gMesclagens;
  std::vector<std::pair<int, int>> gFaixasMescladas;  // rows merged ranges cover (0-based, disjoint, in order)
  size_t gFaixaAtual = 0;
  // The cell records of the first worksheet, in the order of their rows:
  // straight from the stream when the file keeps that order (as Excel
  // writes it), otherwise through an index sorted by row.
  bool gEmOrdem = true;
  qsizetype gPos = 0;            // next record of the worksheet (in order)
  int gProfundidade = 0;         // BOF..EOF nesting (embedded charts)
  std::vector<std::pair<quint32, quint32>> gIndice;  // row, record offset
  size_t gProximoIndice = 0;
  Registro gPendente;            // the cell record seen but not yet used
  bool gTemPendente = false;
  int gUltimaLinha = -1;         // 0-based row handed over last
  qint64 gMemoria = 0;           // of the rows handed over
};

}  // namespace mivo
