#include "unCLCargaLista.h"

#include <algorithm>

#include "unCLGrade.h"
#include "unUtil.h"

namespace mivo {

QStringList titulosDosCampos(const QList<CampoLista>& campos) {
  QStringList titulos;
  for (const CampoLista& c : campos) {
    if (c.citado) {
      titulos.append(c.texto.toString());
      continue;
    }
    QString texto = c.texto.toString();
    texto.replace(u',', u';');
    for (const QString& t : texto.split(u';')) titulos.append(aparar(t));
  }
  return titulos;
}

CLCargaLista::CLCargaLista(const CLGrade& grade) : gGrade(grade) {
  for (int r = 0; r < grade.RowCount() && gGradeVazia; ++r) gGradeVazia = grade.linhaEmBranco(r);
  recomecar();
}

void CLCargaLista::recomecar() {
  gPrimeiro = true;
  gTemAlgo = false;
  gLinhas.clear();
  // Into an empty grid the rows go whole, titles first: their place is kept.
  if (gGradeVazia) gLinhas.append(CLLinhaGrade());
}

bool CLCargaLista::repeteTitulos(const QList<CampoLista>& campos, qsizetype qtd) const {
  if (!gAlgumTitulo || qtd > gLargura) return false;
  for (qsizetype k = 0; k < qtd; ++k) {
    const QStringView titulo = k < gTitulos.size() ? apararVista(gTitulos[k]) : QStringView();
    if (apararVista(campos[k].texto).compare(titulo, Qt::CaseInsensitive) != 0) return false;
  }
  return true;
}

bool CLCargaLista::registro(const QList<CampoLista>& campos) {
  if (!campos.isEmpty()) gTemAlgo = true;
  if (std::exchange(gPrimeiro, false)) {
    gTitulosLidos = titulosDosCampos(campos);
    gTitulos = gGradeVazia ? gTitulosLidos : gGrade.titulosCom(gTitulosLidos);
    gLargura = gTitulos.size();
    gAlgumTitulo = std::any_of(gTitulos.begin(), gTitulos.end(), [](const QString& t) { return !aparar(t).isEmpty(); });
    return true;
  }
  if (campos.isEmpty()) return true;
  // Empty values past the last column (a trailing ";") are no data.
  qsizetype qtd = campos.size();
  while (qtd > gLargura && campos[qtd - 1].texto.isEmpty()) --qtd;
  // A line that only repeats the titles (a title line read again) is not
  // a record.
  if (repeteTitulos(campos, qtd)) return true;
  gLargura = std::max(gLargura, qtd);
  gVistas.resize(qtd);
  for (qsizetype k = 0; k < qtd; ++k) gVistas[k] = campos[k].texto;
  gLinhas.append(CLLinhaGrade::deCelulas(gVistas));
  return true;
}

bool CLCargaLista::aplicar(CLGrade& grade) {
  if (!gTemAlgo) return false;
  CLGrade::Lote lote(grade);
  if (gGradeVazia) {
    gLinhas[0] = CLLinhaGrade(gTitulos);
    grade.substituirLinhas(std::move(gLinhas), static_cast<int>(std::max<qsizetype>(gLargura, 1)));
  } else {
    grade.inserirColunas(gTitulosLidos);
    grade.acrescentarLinhas(std::move(gLinhas));
  }
  recomecar();
  return true;
}

bool carregarComTitulos(CLGrade& grade, const QString& texto) {
  CLCargaLista carga(grade);
  CLLeitorLista(u';').lerTexto(texto, [&](const QList<CampoLista>& campos) { return carga.registro(campos); });
  return carga.aplicar(grade);
}

std::optional<bool> carregarArquivoComTitulos(CLGrade& grade, const QString& caminho, QString* erro,
                                              qsizetype tamanhoPedaco) {
  CLCargaLista carga(grade);
  CLLeitorLista leitor(u';');
  if (!leitor.lerArquivo(
          caminho, [&](const QList<CampoLista>& campos) { return carga.registro(campos); },
          [&] { carga.recomecar(); }, erro, tamanhoPedaco))
    return std::nullopt;
  return carga.aplicar(grade);
}

QStringList titulosDaLista(const QString& caminho) {
  QStringList titulos;
  auto primeiro = [&](const QList<CampoLista>& campos) {
    titulos = titulosDosCampos(campos);
    return false;
  };
  // Small pieces: only the start of the file is wanted (a longer first
  // record makes the reader take more).
  constexpr qsizetype kPedaco = 16 * 1024;
  if (!CLLeitorLista(u';').lerArquivo(caminho, primeiro, [&] { titulos.clear(); }, nullptr, kPedaco)) return {};
  return titulos;
}

}  // namespace mivo
