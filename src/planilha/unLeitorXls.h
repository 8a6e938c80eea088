#pragma once
// Excel 97-2003 workbooks (.xls, BIFF), read through FreeXL. FreeXL keeps the
// cells of the chosen worksheet in memory, so their number is checked first.

#include <QString>

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

 private:
  QString gCaminho;
  LimitesPlanilha gLimites;
  const void* gXls = nullptr;
  int gPlanilhas = 0;
  unsigned int gLinhas = 0;
  unsigned short gColunas = 0;
  unsigned int gProxima = 0;  // 0-based row read next
};

}  // namespace mivo
