#pragma once
// A stand-in for the developer help window, as the line help sees it: it
// records the filter it was given and how many times it filtered.

#include <QString>

#include "unCLAjudaLinha.h"

namespace mivo::teste {

class CLAjudaFalsa : public CLAlvoAjuda {
 public:
  bool visivel() const override { return gVisivel; }
  QString filtro() const override { return gFiltro; }
  void filtrar(const QString& nome) override {
    gFiltro = nome;
    ++gFiltragens;
  }
  bool gVisivel = true;
  QString gFiltro;
  int gFiltragens = 0;
};

}  // namespace mivo::teste
