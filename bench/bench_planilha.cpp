// Imports a spreadsheet with Mivo's importer and prints one line:
// "<registros>x<colunas> <seconds>" (bench/planilha.sh measures its peak memory).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "unCLNegOffice.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "uso: bench_planilha ARQUIVO\n");
    return 2;
  }
  mivo::CLGrade grade;
  QElapsedTimer t;
  t.start();
  const mivo::ResultadoImportacao r =
      mivo::CLNegOffice().importar(QString::fromLocal8Bit(argv[1]), {}, grade);
  const double s = double(t.nsecsElapsed()) / 1e9;
  if (r.desfecho != mivo::Desfecho::Concluido) {
    std::fprintf(stderr, "%s\n", r.mensagem.toUtf8().constData());
    return 1;
  }
  std::printf("%dx%d %.3f\n", grade.RowCount() - 1, grade.ColCount(), s);
  return 0;
}
