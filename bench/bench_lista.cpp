// Parsing, loading and saving a big list file, one phase per process so that
// the peak memory of each phase can be read (getrusage).
//   bench_lista gerar ARQ [linhas]   writes a ";" list of 5 columns
//   bench_lista colar ARQ            colarCheck of the file's text
//   bench_lista abrir ARQ            "&LaAbrir" of the file
//   bench_lista salvar ARQ SAIDA     loads, then "&LaSalvar" to SAIDA (only the save is timed)
// Prints: phase seconds peak_kib
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "unArquivoLista.h"
#include "unCLHostMemoria.h"
#include "unCLDesktopSimulado.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unFuncTabela.h"
#include "unUtil.h"

using namespace mivo;

namespace {

long picoKib() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

class HostSilencioso : public CLHostMemoria {
 public:
  HostSilencioso() : CLHostMemoria(true) { setDesktop(std::make_unique<CLDesktopSimulado>()); }
  bool registraLog() const override { return false; }
};

void relatar(const char* fase, qint64 ms) {
  std::printf("%s %.3f %ld\n", fase, ms / 1000.0, picoKib());
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList a = app.arguments();
  if (a.size() < 3) {
    std::fprintf(stderr, "uso: bench_lista gerar|colar|abrir|salvar ARQ [SAIDA|linhas]\n");
    return 2;
  }
  const QString fase = a[1], arquivo = a[2];
  QElapsedTimer t;
  if (fase == QLatin1String("gerar")) {
    const int linhas = a.size() > 3 ? a[3].toInt() : 1000000;
    QString texto = QStringLiteral("nome;email;celular;cidade;status\r\n");
    texto.reserve(linhas * 60);
    for (int i = 0; i < linhas; ++i)
      texto += QStringLiteral("Contato %1;contato%1@exemplo.com.br;(81) 9%2;Recife;ok\r\n").arg(i).arg(i % 100000000, 8, 10, QLatin1Char('0'));
    return gravarArquivo(arquivo, codificarTexto(texto)) ? 0 : 1;
  }
  HostSilencioso host;
  CLScript script(host);
  script.setGrade(*host.lista().gGrid);
  if (fase == QLatin1String("colar")) {
    t.start();
    QString texto;
    lerArquivoTexto(arquivo, texto);
    host.lista().colarCheck(texto);
    relatar("colar", t.elapsed());
  } else if (fase == QLatin1String("abrir")) {
    t.start();
    abrirListaComTitulos(script, arquivo);
    relatar("abrir", t.elapsed());
  } else if (fase == QLatin1String("salvar") && a.size() > 3) {
    abrirListaComTitulos(script, arquivo);
    t.start();
    salvarTabela(script, a[3]);
    relatar("salvar", t.elapsed());
  } else {
    return 2;
  }
  std::fprintf(stderr, "registros: %d\n", host.lista().gridDados.RowCount() - 1);
  return 0;
}
