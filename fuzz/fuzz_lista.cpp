// Fuzz target: list files as scripts read them. The input is the bytes of a
// list file: its lines are split into fields with every delimiter, its text
// is encoded and decoded, and it is loaded into a grid the way scripts load
// lists (carregarComTitulos), saved and loaded again. The data-table
// window's paths have a target of their own (fuzz_tabela).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "unApoioFuzz.h"
#include "unArquivoLista.h"
#include "unCLGrade.h"

using namespace mivo;

namespace {

constexpr int kMaxLinhas = 64;

void verificarCampos(const QString& linha) {
  for (const QChar d : {QChar(u';'), QChar(u'\t'), QChar(u','), QChar()}) {
    const QStringList campos = dividirCampos(linha, d);
    MIVO_FUZZ_EXIGIR(campos.isEmpty() == aparar(linha).isEmpty());
    for (const QString& c : campos) MIVO_FUZZ_EXIGIR(c == aparar(c));
  }
  // A cell written as a list file holds it reads back as it was: trimmed
  // (the loader trims) and on one line (a line break ends the record).
  const QString celula = aparar(linha);
  const QStringList lida = dividirCampos(campoParaArquivo(celula), u';');
  MIVO_FUZZ_EXIGIR(celula.isEmpty() ? lida.isEmpty() : lida == QStringList{celula});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
  const QString texto = decodificarTexto(bytes);

  // Fields.
  (void)escolherDelimitador(primeiraLinha(texto).toString());
  int n = 0;
  paraCadaLinha(texto, [&](QStringView l) {
    if (n++ < kMaxLinhas) verificarCampos(l.toString());
  });

  // The text, encoded as lists are saved, reads back the same (text that no
  // encoding holds, a lone surrogate from a UTF-16 file, aside).
  if (texto.isValidUtf16()) MIVO_FUZZ_EXIGIR(decodificarTexto(codificarTexto(texto)) == texto);

  // A script loading a list.
  {
    CLGrade g;
    MIVO_FUZZ_EXIGIR(carregarComTitulos(g, texto) == !aparar(texto).isEmpty());
    fuzz::verificarGrade(g);
    const std::optional<QString> salvo = gradeParaTexto(g);
    MIVO_FUZZ_EXIGIR(salvo.has_value());
    CLGrade relida;
    carregarComTitulos(relida, *salvo);
    fuzz::verificarGrade(relida);
  }
  return 0;
}
