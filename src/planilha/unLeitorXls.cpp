#include "unLeitorXls.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <freexl.h>

#include "unFormatoNumero.h"

namespace mivo {

namespace {

QString mensagemFreexl(int codigo) {
  switch (codigo) {
    case FREEXL_INSUFFICIENT_MEMORY:
      return QStringLiteral("A planilha é grande demais para ser importada.");
    case FREEXL_FILE_NOT_FOUND:
      return QStringLiteral("Não foi possível abrir o arquivo.");
    default:
      return QStringLiteral("O arquivo está danificado ou incompleto e não pôde ser lido.");
  }
}

// FreeXL gives dates as "YYYY-MM-DD" and times as "HH:MM:SS".
QString textoDataXls(int tipo, const char* texto) {
  const QString t = QString::fromUtf8(texto);
  if (tipo == FREEXL_CELL_DATE) {
    const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? textoData(d) : t;
  }
  if (tipo == FREEXL_CELL_DATETIME) {
    const QDateTime dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return dt.isValid() ? textoDataHora(dt) : t;
  }
  return t;
}

}  // namespace

CLLeitorXls::CLLeitorXls(QString caminho, const LimitesPlanilha& limites)
    : gCaminho(std::move(caminho)), gLimites(limites) {}

CLLeitorXls::~CLLeitorXls() {
  if (gXls) freexl_close(gXls);
}

bool CLLeitorXls::abrir(QString& erro) {
  // First the metadata alone: the password flag, the sheets and the size of
  // the first one, before FreeXL loads every cell.
  const QByteArray nome = QFile::encodeName(gCaminho);
  const void* info = nullptr;
  int r = freexl_open_info(nome.constData(), &info);
  unsigned int valor = 0;
  if (r == FREEXL_OK && freexl_get_info(info, FREEXL_BIFF_PASSWORD, &valor) == FREEXL_OK &&
      valor == FREEXL_BIFF_OBFUSCATED) {
    freexl_close(info);
    erro = QStringLiteral("A planilha está protegida por senha. Abra-a no seu programa de planilhas, "
                          "salve uma cópia sem senha e importe a cópia.");
    return false;
  }
  qint64 celulas = 0;
  if (r == FREEXL_OK && freexl_get_info(info, FREEXL_BIFF_SHEET_COUNT, &valor) == FREEXL_OK) {
    gPlanilhas = int(valor);
    // FreeXL allocates every worksheet's grid (about 24 bytes a cell).
    for (unsigned short i = 0; i < valor; ++i) {
      unsigned int linhas = 0;
      unsigned short colunas = 0;
      if (freexl_select_active_worksheet(info, i) == FREEXL_OK &&
          freexl_worksheet_dimensions(info, &linhas, &colunas) == FREEXL_OK)
        celulas += qint64(linhas) * colunas;
    }
  }
  if (info) freexl_close(info);
  if (r != FREEXL_OK) {
    erro = mensagemFreexl(r);
    return false;
  }
  if (gPlanilhas < 1) {
    erro = QStringLiteral("A pasta de trabalho não tem nenhuma planilha de dados.");
    return false;
  }
  const qint64 permitido = std::max(gLimites.minMemoriaXls, 10 * QFileInfo(gCaminho).size());
  if (celulas * 24 > permitido) {
    erro = QStringLiteral("A planilha declara %1 células, mais do que o arquivo pode conter; ela está danificada "
                          "ou foi feita para travar o programa.")
               .arg(celulas);
    return false;
  }
  r = freexl_open(nome.constData(), &gXls);
  if (r != FREEXL_OK) {
    erro = mensagemFreexl(r);
    return false;
  }
  return true;
}

bool CLLeitorXls::prepararPrimeira(const PedidoParada&, QString& erro) {
  if (freexl_select_active_worksheet(gXls, 0) != FREEXL_OK ||
      freexl_worksheet_dimensions(gXls, &gLinhas, &gColunas) != FREEXL_OK) {
    erro = mensagemFreexl(FREEXL_CRAFTED_FILE);
    return false;
  }
  return true;
}

bool CLLeitorXls::proximaLinha(int& numero, QStringList& celulas, QString& erro) {
  if (gProxima >= gLinhas || gProxima >= unsigned(gLimites.maxLinhas)) return false;
  celulas.clear();
  const int colunas = std::min<int>(gColunas, gLimites.maxColunas);
  for (int c = 0; c < colunas; ++c) {
    FreeXL_CellValue v;
    if (freexl_get_cell_value(gXls, gProxima, static_cast<unsigned short>(c), &v) != FREEXL_OK) {
      erro = mensagemFreexl(FREEXL_CRAFTED_FILE);
      return false;
    }
    QString texto;
    switch (v.type) {
      case FREEXL_CELL_INT: texto = QString::number(v.value.int_value); break;
      case FREEXL_CELL_DOUBLE: texto = numeroGeral(v.value.double_value); break;
      case FREEXL_CELL_TEXT:
      case FREEXL_CELL_SST_TEXT: texto = QString::fromUtf8(v.value.text_value); break;
      case FREEXL_CELL_DATE:
      case FREEXL_CELL_DATETIME:
      case FREEXL_CELL_TIME: texto = textoDataXls(v.type, v.value.text_value); break;
      default: break;
    }
    if (!texto.isEmpty()) {
      if (celulas.size() <= c) celulas.resize(c + 1);
      celulas[c] = texto;
    }
  }
  numero = int(++gProxima);
  return true;
}

}  // namespace mivo
