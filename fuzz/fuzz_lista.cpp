// Fuzz target: list files. The input is the bytes of a list file: its lines
// are split into fields with every delimiter, the text is loaded into a
// grid the way scripts load lists (carregarComTitulos), and the data-table
// window's paste and open paths (CLLista) load, save and reshape it.

#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "unApoioFuzz.h"
#include "unArquivoLista.h"
#include "unCLGrade.h"
#include "unCLLista.h"

using namespace mivo;

namespace {

constexpr int kMaxLinhas = 64;
constexpr int kMaxVerificadas = 256;  // rows and columns checked cell by cell

// What every grid keeps, whatever was loaded into it.
void verificarGrade(const CLGrade& g) {
  MIVO_FUZZ_EXIGIR(g.ColCount() >= 1 && g.RowCount() >= 2);
  MIVO_FUZZ_EXIGIR(g.Row() >= 1 && g.Row() < g.RowCount());
  MIVO_FUZZ_EXIGIR(g.Col() >= 0 && g.Col() < g.ColCount());
  for (int r = 0; r < g.RowCount() && r < kMaxVerificadas; ++r)
    MIVO_FUZZ_EXIGIR(g.celulasLinha(r).size() == g.ColCount());
  // The title index answers what looking at every title in order answers.
  const QStringList titulos = g.celulasLinha(0);
  QHash<QString, int> primeiras;
  for (int c = 0; c < titulos.size(); ++c) {
    const QString chave = aparar(titulos[c]).toLower();
    if (!primeiras.contains(chave)) primeiras.insert(chave, c);
  }
  for (int c = 0; c < titulos.size() && c < kMaxVerificadas; ++c)
    MIVO_FUZZ_EXIGIR(g.colunaPorTitulo(titulos[c]) == primeiras.value(aparar(titulos[c]).toLower()));
}

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

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::prepararAmbiente();
  return 0;
}

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
    verificarGrade(g);
    const std::optional<QString> salvo = gradeParaTexto(g);
    MIVO_FUZZ_EXIGIR(salvo.has_value());
    CLGrade relida;
    carregarComTitulos(relida, *salvo);
    verificarGrade(relida);
  }

  // The data table: paste, open, save, reshape.
  const QString pasta = fuzz::pastaAreia();
  const QString arquivo = pasta + QStringLiteral("/lista.txt");
  const QString saida = pasta + QStringLiteral("/saida.txt");
  {
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
      fuzz::falha("não foi possível gravar a lista de entrada");
  }
  {
    CLLista lista(pasta + QStringLiteral("/recentes.txt"));
    lista.colarCheck(texto);
    verificarGrade(lista.gridDados);
    MIVO_FUZZ_EXIGIR(lista.abrirArquivos({arquivo}, true) == Desfecho::Concluido);
    verificarGrade(lista.gridDados);
    QString erro;
    MIVO_FUZZ_EXIGIR(lista.abrirViaFilename(arquivo, &erro));
    verificarGrade(lista.gridDados);
    MIVO_FUZZ_EXIGIR(lista.salvarComo(saida, nullptr, &erro) == Desfecho::Concluido);
    MIVO_FUZZ_EXIGIR(lista.estaSalvo());

    // What was saved loads into a grid like the one saved.
    QString relido;
    MIVO_FUZZ_EXIGIR(lerArquivoTexto(saida, relido));
    CLLista outra(pasta + QStringLiteral("/recentes.txt"));
    outra.colarCheck(relido);
    verificarGrade(outra.gridDados);

    lista.deletarSelecionados(1, 2);
    verificarGrade(lista.gridDados);
    lista.linhaParaTitulos();
    verificarGrade(lista.gridDados);
    lista.novaColuna();
    lista.novalinha(true);
    lista.editarCelula(0, 0, QStringLiteral(" Nome "));
    lista.gridDados.moverColuna(0, lista.gridDados.ColCount() - 1);
    verificarGrade(lista.gridDados);
    lista.eliminarColunasVazias();
    verificarGrade(lista.gridDados);
    lista.gridZerar(false);
    verificarGrade(lista.gridDados);
  }
  fuzz::removerDaAreia("recentes.txt");
  return 0;
}
