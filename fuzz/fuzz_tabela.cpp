// Fuzz target: the data-table window's lists. The input is the bytes of a
// list file, loaded as the window loads it by one of its ways in: pasted
// (and its text as a save would write it), or opened, or opened by name
// (and saved to a file). Its bytes pick the way, so that an input pays for
// one way, and for files only now and then. The table is then reshaped
// (records deleted, titles taken from a record, a column and a record
// added, a title edited, a column moved, empty columns removed), emptied,
// and given what was saved, pasted.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>

#include "unApoioFuzz.h"
#include "unArquivoLista.h"
#include "unCLGrade.h"
#include "unCLLista.h"

using namespace mivo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
  static const QString pasta = fuzz::pastaAreia();
  static const QString arquivo = pasta + QStringLiteral("/lista.txt");
  static const QString saida = pasta + QStringLiteral("/saida.txt");
  static const QString recentes = pasta + QStringLiteral("/recentes.txt");
  // Pasted (all in memory), opened, or opened by name (through files: the
  // list is written, and saved to another file). Files are read by the same
  // reader as pasted text and cost some sixty system calls an input: one
  // input in eight takes them, chosen by the sum of its bytes (the first
  // byte alone would send nearly all of them one way: lists begin with a
  // title, often the same).
  const unsigned soma = std::accumulate(dados, dados + tamanho, 0u);
  const int caminho = std::max(0, int(soma % 16) - 13);
  if (caminho != 0) {
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
      fuzz::falha("não foi possível gravar a lista de entrada");
  }
  {
    // Pasted, the table touches no file (not even its recent files).
    CLLista lista(caminho == 0 ? QString() : recentes);
    QString erro;
    QString salvo;
    if (caminho == 0) {
      lista.colarCheck(decodificarTexto(bytes));
      fuzz::verificarGrade(lista.gridDados);
      const std::optional<QString> texto = gradeParaTexto(lista.gridDados);
      MIVO_FUZZ_EXIGIR(texto.has_value());
      salvo = *texto;
    } else {
      if (caminho == 1)
        MIVO_FUZZ_EXIGIR(lista.abrirArquivos({arquivo}, true) == Desfecho::Concluido);
      else
        MIVO_FUZZ_EXIGIR(lista.abrirViaFilename(arquivo, &erro));
      fuzz::verificarGrade(lista.gridDados);
      MIVO_FUZZ_EXIGIR(lista.salvarComo(saida, nullptr, &erro) == Desfecho::Concluido);
      MIVO_FUZZ_EXIGIR(lista.estaSalvo());
      MIVO_FUZZ_EXIGIR(lerArquivoTexto(saida, salvo));
    }

    lista.deletarSelecionados(1, 2);
    lista.linhaParaTitulos();
    lista.novaColuna();
    lista.novalinha(true);
    lista.editarCelula(0, 0, QStringLiteral(" Nome "));
    lista.gridDados.moverColuna(0, lista.gridDados.ColCount() - 1);
    lista.eliminarColunasVazias();
    fuzz::verificarGrade(lista.gridDados);

    // Emptied, the table takes what was saved as a paste.
    lista.gridZerar(false);
    fuzz::verificarGrade(lista.gridDados);
    lista.colarCheck(salvo);
    fuzz::verificarGrade(lista.gridDados);
  }
  if (caminho != 0) fuzz::removerDaAreia("recentes.txt");
  return 0;
}
