// The data-table window's commands on a big list, one step per process so
// that the peak memory of each can be read (getrusage). Every step first
// does, untimed, what comes before it: open, sort, filter, write back, save.
//   bench_colunas gerar ARQ [linhas]   a ";" list of 5 columns in random order;
//                                      1 % of the records live in Olinda
//   bench_colunas abrir ARQ            CLLista::abrirArquivos
//   bench_colunas ordenar ARQ [COL]    SortStringGrid by "nome" (or column COL)
//   bench_colunas filtrar ARQ          filtrarGrid("olinda"): 1 % of the records
//   bench_colunas gravar ARQ           every view row edited, then filtroSalvarDados
//   bench_colunas salvar ARQ SAIDA     salvarComo of the whole table
// Prints: step seconds cpu_seconds peak_kib growth_kib (cpu: user + system
// time of all the process's threads during the step; growth: peak after the
// step minus peak before it).
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>

#include "unCLColunas.h"
#include "unCLFiltro.h"
#include "unCLLista.h"
#include "unUtil.h"

using namespace mivo;

namespace {

long picoKib() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

double cpuSegundos() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

int gerar(const QString& arquivo, int linhas) {
  static const char* const nomes[] = {"Ana", "Álvaro", "Bruno", "Beatriz", "Carla", "César",
                                      "Daniel", "Débora", "Elisa", "Érico", "Fábio", "Gabriela",
                                      "Heitor", "Íris", "João", "Júlia", "Luís", "Márcia",
                                      "Otávio", "Sérgio"};
  static const char* const sobrenomes[] = {"Silva", "Souza", "Oliveira", "Araújo", "Conceição",
                                           "Gonçalves", "Lima", "Magalhães", "Pereira", "Simões"};
  static const char* const cidades[] = {"Recife", "São Paulo", "Belo Horizonte", "Curitiba",
                                        "Porto Alegre", "Salvador", "Fortaleza", "Manaus"};
  QRandomGenerator aleatorio(7);
  QString texto = QStringLiteral("nome;email;celular;cidade;status\r\n");
  texto.reserve(qsizetype(linhas) * 80);
  for (int i = 0; i < linhas; ++i) {
    const QString nome = QString::fromUtf8(nomes[aleatorio.bounded(20)]) + u' ' +
                         QString::fromUtf8(sobrenomes[aleatorio.bounded(10)]) + u' ' +
                         QString::number(aleatorio.bounded(1000000));
    const QString cidade =
        i % 100 == 37 ? QStringLiteral("Olinda") : QString::fromUtf8(cidades[aleatorio.bounded(8)]);
    texto += nome + u';' + QStringLiteral("contato%1@exemplo.com.br").arg(i) + u';' +
             QStringLiteral("(81) 9%1").arg(aleatorio.bounded(100000000), 8, 10, QLatin1Char('0')) +
             u';' + cidade + u';' + (i % 3 ? QStringLiteral("ok") : QString()) + QLatin1String("\r\n");
  }
  return gravarArquivo(arquivo, codificarTexto(texto)) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList a = app.arguments();
  if (a.size() < 3) {
    std::fprintf(stderr, "uso: bench_colunas gerar|abrir|ordenar|filtrar|gravar|salvar ARQ [SAIDA|linhas]\n");
    return 2;
  }
  const QString fase = a[1], arquivo = a[2];
  if (fase == QLatin1String("gerar")) return gerar(arquivo, a.size() > 3 ? a[3].toInt() : 1000000);
  const QStringList passos = {"abrir", "ordenar", "filtrar", "gravar", "salvar"};
  const qsizetype ultimo = passos.indexOf(fase);
  if (ultimo < 0 || (fase == QLatin1String("salvar") && a.size() < 4)) return 2;

  CLLista lista(QDir::temp().filePath(QStringLiteral("bench-colunas-recentes.txt")));
  QElapsedTimer t;
  long antes = 0;
  qint64 ms = 0;
  double cpu = 0;
  for (qsizetype k = 0; k <= ultimo; ++k) {
    const bool medido = k == ultimo;
    if (medido) {
      antes = picoKib();
      cpu = cpuSegundos();
      t.start();
    }
    switch (k) {
      case 0:
        if (lista.abrirArquivos({arquivo}, true) != Desfecho::Concluido) return 1;
        if (!medido) lista.linhaParaTitulos();  // the file's first line names the columns
        break;
      case 1:
        if (SortStringGrid(lista.gridDados, fase == QLatin1String("ordenar") && a.size() > 3 ? a[3].toInt() : 0,
                           false) != Desfecho::Concluido)
          return 1;
        break;
      case 2:
        if (filtrarGrid(lista, QStringLiteral("olinda"), false) != Desfecho::Concluido) return 1;
        if (ultimo > 2)  // the user edits every row the view shows
          for (int r = 1; r < lista.gridFiltro.RowCount(); ++r)
            filtroEditarCelula(lista, 5, r, QStringLiteral("revisto"));
        break;
      case 3:
        if (filtroSalvarDados(lista) != lista.gridFiltro.RowCount() - 1) return 1;
        break;
      case 4:
        desfazerFiltro(lista, false);
        if (lista.salvarComo(a[3]) != Desfecho::Concluido) return 1;
        break;
    }
    if (medido) {
      ms = t.elapsed();
      cpu = cpuSegundos() - cpu;
    }
  }
  std::printf("%s %.3f %.3f %ld %ld\n", qPrintable(fase), ms / 1000.0, cpu, picoKib(),
              picoKib() - antes);
  std::fprintf(stderr, "registros: %d, na visão: %d\n", lista.gridDados.RowCount() - 1,
               lista.gridFiltro.RowCount() - 1);
  return 0;
}
