#pragma once
// OpenDocument spreadsheets (.ods): the first table of content.xml streamed,
// repeated rows and cells expanded only as far as they are read, spanned
// cells shown as merged ranges, every value under its cell's number style
// (from styles.xml and the automatic styles of content.xml).

#include <QString>
#include <QStringList>
#include <memory>

#include "unArquivoZip.h"
#include "unEstilosOds.h"
#include "unLeitorPlanilha.h"

namespace mivo {

class CLLeitorOds : public CLLeitorPlanilha {
 public:
  CLLeitorOds(std::unique_ptr<CLArquivoZip> zip, const LimitesPlanilha& limites);
  ~CLLeitorOds() override;
  bool abrir(QString& erro) override;
  int qtdPlanilhas() const override { return gPlanilhas; }
  bool prepararPrimeira(const PedidoParada& parar, QString& erro) override;
  bool proximaLinha(int& numero, QStringList& celulas, QString& erro) override;
  void limitarColunas(int n) override {
    CLLeitorPlanilha::limitarColunas(n);
    gMesclagens.limitarColunas(n);
  }

 private:
  bool contarPlanilhas(QString& erro);
  bool lerEstilos(QString& erro);
  QString valorDaCelula(const QXmlStreamAttributes& atributos, const QString& texto, const FormatoOds* formato) const;

  std::unique_ptr<CLArquivoZip> gZip;
  LimitesPlanilha gLimites;
  int gPlanilhas = 0;
  CLMesclagens gMesclagens;
  CLEstilosOds gEstilos;
  QStringList gEstiloColuna;    // default cell style of each column (table:table-column)
  int gColunasDescritas = 0;
  std::unique_ptr<CLLeitorXml> gConteudo;
  int gProfundidadeTabela = 0;  // inside the first table while > 0
  bool gTabelaVista = false;
  int gLinha = 0;               // number of the last row handed over
  int gRepetir = 0;             // further copies of the last row still due
  QStringList gUltimas;         // the cells of that row
};

}  // namespace mivo
