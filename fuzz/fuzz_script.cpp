// Fuzz target: statement reading, the script checker, value expansion and a
// short run of the run loop. The input is a script: each of its first lines
// goes through the reading helpers and the expansion, the checker reads it
// whole, then the whole script runs on a host with a virtual clock and a
// simulated desktop, within the host's budget.

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "unApoioFuzz.h"
#include "unCLExecucao.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unLeitura.h"
#include "unVerificador.h"

using namespace mivo;

namespace {

constexpr int kMaxLinhasLidas = 32;

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

// A data table with records (one of them holding what looks like calls,
// variables and columns: data that must never run) and an auxiliary text.
void prepararHost(fuzz::CLHostFuzz& host, const QString& texto) {
  host.setDebugAtivo(texto.contains(QLatin1String("##debug")));
  host.setEditorTexto(texto);
  CLGrade& grade = host.lista().gridDados;
  grade.inserirColunas(QStringLiteral("nome;email;celular"));
  grade.inserirLinha(QStringLiteral("Ana;ana@exemplo.com.br;(81) 99999-0000"));
  grade.inserirLinha(QStringLiteral("Bia;[nome] &Hora().;{email}"), true);
  host.setTextoAuxiliarLinhas({QStringLiteral("um"), QStringLiteral("dois [x]")});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::prepararAmbiente();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QString texto = fuzz::texto(dados, tamanho);
  const QStringList linhas = dividirLinhas(texto);

  // Reading, line by line and statement by statement.
  for (int i = 0; i < linhas.size() && i < kMaxLinhasLidas; ++i) {
    lerUmaLinha(linhas[i]);
    const leitura::LinhaDoScript l = leitura::lerLinhaDoScript(linhas, i);
    MIVO_FUZZ_EXIGIR(l.ultima >= i && l.ultima < linhas.size());
    if (l.tipo == leitura::LinhaDoScript::Tipo::Instrucao) lerUmaLinha(l.texto);
  }
  const int inicio = leitura::linhaDeInicio(linhas);
  MIVO_FUZZ_EXIGIR(inicio >= 0 && (linhas.isEmpty() ? inicio == 0 : inicio < linhas.size()));

  // The checker reads the same text without running it: its findings come
  // in line order, each once, each on a line of the document.
  {
    const QList<CLAchado> achados = verificarScript(linhas, {QStringList{"nome", "email"}});
    QSet<QString> vistos;
    for (qsizetype i = 0; i < achados.size(); ++i) {
      MIVO_FUZZ_EXIGIR(achados[i].linha >= 1 && achados[i].linha <= std::max<qsizetype>(linhas.size(), 1));
      MIVO_FUZZ_EXIGIR(!achados[i].mensagem.isEmpty());
      if (i > 0) MIVO_FUZZ_EXIGIR(achados[i - 1].linha <= achados[i].linha);
      MIVO_FUZZ_EXIGIR(!vistos.contains(textoDoAchado(achados[i])));
      vistos.insert(textoDoAchado(achados[i]));
    }
  }

  // Expansion of each line (it may run the calls written in it), and the
  // comparison of "&Se".
  {
    fuzz::CLHostFuzz host;
    prepararHost(host, texto);
    CLScript script(host);
    script.setGrade(*host.lista().gGrid);
    script.valores().acrescentar(QStringLiteral("x"), QStringLiteral("X"));
    script.valores().acrescentar(QStringLiteral("nome"), QStringLiteral("[x]"));
    (void)executarProtegido(host, [&] {
      for (int i = 0; i < linhas.size() && i < kMaxLinhasLidas && !host.esgotado(); ++i) {
        (void)script.expandirValor(linhas[i]);
        (void)script.expandirValor(linhas[i], true);
        (void)script.testeLogico(linhas[i]);
      }
    });
  }

  // The run, as mivo-run does it: a fresh engine on the data table.
  fuzz::CLHostFuzz host;
  prepararHost(host, texto);
  CLScript script(host);
  script.setGrade(*host.lista().gGrid);
  script.valores().acrescentar(QStringLiteral("x"), QStringLiteral("X"));
  prepararInicio(script, linhas);
  (void)rodarScript(script);
  return 0;
}
