#pragma once
// Office Open XML workbooks (.xlsx, .xlsm): the shared strings and the number
// formats of the styles first, then the first worksheet streamed from its
// XML part in one pass. Its merged ranges are listed after all its cells, so
// the rows (no more than the caps allow) are kept until the end of the part
// has been scanned for them; the rows beyond the caps are never parsed.

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

#include "unArquivoZip.h"
#include "unFormatoNumero.h"
#include "unLeitorPlanilha.h"

namespace mivo {

class CLLeitorXlsx : public CLLeitorPlanilha {
 public:
  CLLeitorXlsx(std::unique_ptr<CLArquivoZip> zip, const LimitesPlanilha& limites);
  ~CLLeitorXlsx() override;
  bool abrir(QString& erro) override;
  int qtdPlanilhas() const override { return gQtdPlanilhas; }
  bool prepararPrimeira(const PedidoParada& parar, QString& erro) override;
  bool proximaLinha(int& numero, QStringList& celulas, QString& erro) override;
  bool proximaLinhaCompacta(int& numero, CLLinhaGrade& linha, QString& erro) override;
  void limitarColunas(int n) override;

 private:
  bool lerRelacoes(const QString& parte, QHash<QString, std::pair<QString, QString>>& relacoes, QString& erro);
  bool lerEstilos(const QString& parte, QString& erro);
  bool lerTextosCompartilhados(const QString& parte, const PedidoParada& parar, QString& erro);
  bool lerFolha(const PedidoParada& parar, QString& erro);
  bool textosDemais(QString& erro) const;
  QString textoCompartilhado(qsizetype indice) const;
  QString valorDaCelula(QByteArrayView tipo, int estilo, QByteArrayView valor, const QString& textoEmbutido) const;
  // The text of a number cell (<v> as stored), appended to `destino`.
  void anexarNumero(int estilo, QByteArrayView valor, QString& destino) const;

  std::unique_ptr<CLArquivoZip> gZip;
  LimitesPlanilha gLimites;
  QString gPrimeira;           // part of the first worksheet
  int gQtdPlanilhas = 0;
  QString gParteTextos, gParteEstilos;
  bool gData1904 = false;
  QList<CLFormatoNumero> gFormatosXf;  // number format of each cell format (cellXfs)
  QString gTextos;             // the shared strings, one after another
  QList<quint32> gInicios;     // where each starts in gTextos (plus the end)
  CLMesclagens gMesclagens;
  QList<std::pair<int, CLLinhaGrade>> gLinhas;  // the rows read, with their numbers
  qsizetype gProxima = 0;                       // the row proximaLinha gives next
};

// Office Open XML escapes characters that XML cannot hold as "_xHHHH_".
QString decodificarEscapesOoxml(const QString& texto);

}  // namespace mivo
