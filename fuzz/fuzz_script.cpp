// Fuzz target: statement reading and the script checker, what the editor
// does on every change. The input is a script: each of its first lines goes
// through the reading helpers, statement by statement, and the checker reads
// it whole. Its expansion and its run have targets of their own
// (fuzz_expansao, fuzz_execucao), so that each input costs little.

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "unApoioFuzz.h"
#include "unCLScript.h"
#include "unLeitura.h"
#include "unVerificador.h"

using namespace mivo;

namespace {

// The reading helpers on one line, with what their contracts promise.
void lerUmaLinha(const QString& linha) {
  QString semComentario = linha;
  leitura::removerComentario(semComentario);
  MIVO_FUZZ_EXIGIR(!semComentario.startsWith(QLatin1String("//")));

  const QString normal = leitura::normalizar(linha);
  MIVO_FUZZ_EXIGIR(normal == aparar(normal));
  MIVO_FUZZ_EXIGIR(leitura::normalizar(normal) == normal);
  MIVO_FUZZ_EXIGIR(!normal.contains(QLatin1String("  ")));

  const QString nome = leitura::nomeDaFuncao(linha);
  MIVO_FUZZ_EXIGIR(nome == aparar(nome));
  const QString argumentos = leitura::textoArgumentos(linha);

  for (const QString& texto : {linha, argumentos}) {
    for (const QString& p : CLScript::getParams2(texto)) {
      MIVO_FUZZ_EXIGIR(!p.isEmpty());  // empty pieces are dropped
      MIVO_FUZZ_EXIGIR(p == aparar(p));
      (void)CLScript::getParamValue(p);
      (void)leitura::removerAspas(p);
    }
    const QString chamada = CLScript::getNextFunctionName(texto);
    MIVO_FUZZ_EXIGIR(chamada.isEmpty() || (chamada.startsWith(u'&') && chamada.endsWith(u')')));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QString texto = fuzz::texto(dados, tamanho);
  const QStringList linhas = dividirLinhas(texto);

  // Reading, line by line and statement by statement.
  for (int i = 0; i < linhas.size() && i < fuzz::kMaxLinhasLidas; ++i) {
    lerUmaLinha(linhas[i]);
    const leitura::LinhaDoScript l = leitura::lerLinhaDoScript(linhas, i);
    MIVO_FUZZ_EXIGIR(l.ultima >= i && l.ultima < linhas.size());
    // A statement on one line is that line, read already.
    if (l.tipo == leitura::LinhaDoScript::Tipo::Instrucao && l.texto != linhas[i]) lerUmaLinha(l.texto);
  }
  const int inicio = leitura::linhaDeInicio(linhas);
  MIVO_FUZZ_EXIGIR(inicio >= 0 && (linhas.isEmpty() ? inicio == 0 : inicio < linhas.size()));

  // The checker reads the same text without running it: its findings come
  // in line order, each once, each on a line of the document.
  const QList<CLAchado> achados = verificarScript(linhas, {QStringList{"nome", "email"}});
  QSet<QString> vistos;
  for (qsizetype i = 0; i < achados.size(); ++i) {
    MIVO_FUZZ_EXIGIR(achados[i].linha >= 1 && achados[i].linha <= std::max<qsizetype>(linhas.size(), 1));
    MIVO_FUZZ_EXIGIR(!achados[i].mensagem.isEmpty());
    if (i > 0) MIVO_FUZZ_EXIGIR(achados[i - 1].linha <= achados[i].linha);
    MIVO_FUZZ_EXIGIR(!vistos.contains(textoDoAchado(achados[i])));
    vistos.insert(textoDoAchado(achados[i]));
  }
  return 0;
}
