// The data-table window with a million records (offscreen): pasting them
// through the window (progress window included; the table alone beside it), AutoSizeGrid (sampled)
// against measuring every row, jumping to the last record and repainting,
// one arrow key in the middle, deleting 1,000 selected records, and the
// process's peak memory. Each step N times; medians in milliseconds.
//   bench_janela_lista [N] [linhas] [captura.png]   (bench/janela_lista.sh)
// With a capture name, pictures of the window and of the open/import
// window's two pages are saved beside it.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "unCLLista.h"
#include "unFrmAbrir.h"
#include "unFrmLista.h"

namespace {

double ms(const std::function<void()>& f) {
  QElapsedTimer t;
  t.start();
  f();
  return t.nsecsElapsed() / 1e6;
}

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

long picoMemoriaKiB() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& l : f.readAll().split('\n'))
    if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').first().toLong();
  return -1;
}

QString contatos(int linhas) {
  QString t;
  t.reserve(qsizetype(linhas) * 48);
  for (int i = 0; i < linhas; ++i)
    t += QStringLiteral("Contato número %1;contato%1@exemplo.com.br;+55 81 9%2\r\n").arg(i).arg(10000000 + i);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir base;
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  QApplication app(argc, argv);
  const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  const int linhas = argc > 2 ? std::max(10, atoi(argv[2])) : 1'000'000;
  const QString captura = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

  const QString texto = contatos(linhas);
  std::vector<double> semJanela, colar, autoSize, tudoMedido, fim, seta, excluir;
  for (int i = 0; i < n; ++i) {
    // The same paste into the table alone, for comparison.
    {
      mivo::CLLista sozinha(base.filePath(QStringLiteral("recentfiles.txt")));
      semJanela.push_back(ms([&] { sozinha.colarCheck(texto); }));
    }
    mivo::CLLista lista(base.filePath(QStringLiteral("recentfiles.txt")));
    mivo::TfrmLista janela(lista);
    janela.resize(1000, 600);
    janela.show();
    QApplication::processEvents();
    QTableView* g = janela.gridDados();

    colar.push_back(ms([&] {
      janela.colar(texto);
      QApplication::processEvents();
    }));
    autoSize.push_back(ms([&] { janela.AutoSizeGrid(); }));
    // What measuring every cell would cost, for comparison.
    tudoMedido.push_back(ms([&] {
      const QFontMetrics fm(g->font());
      int maior = 0;
      for (int r = 0; r < lista.gridDados.RowCount(); ++r)
        for (int c = 0; c < lista.gridDados.ColCount(); ++c)
          maior = std::max(maior, fm.horizontalAdvance(lista.gridDados.cell(c, r)));
      if (maior < 0) std::puts("");
    }));
    fim.push_back(ms([&] {
      lista.gridDados.setRow(lista.gridDados.RowCount() - 1);
      g->repaint();
      QApplication::processEvents();
    }));
    lista.gridDados.setRow(lista.gridDados.RowCount() / 2);
    QApplication::processEvents();
    seta.push_back(ms([&] {
      QTest::keyClick(g, Qt::Key_Down);
      g->repaint();
      QApplication::processEvents();
    }));
    const int meio = lista.gridDados.RowCount() / 2;
    const QAbstractItemModel* m = g->model();
    g->selectionModel()->select(QItemSelection(m->index(meio, 0), m->index(meio + 999, m->columnCount() - 1)),
                                QItemSelectionModel::ClearAndSelect);
    excluir.push_back(ms([&] {
      janela.deletarSelecionados();
      g->repaint();
      QApplication::processEvents();
    }));
    if (i == 0 && !captura.isEmpty()) {
      lista.gridDados.setRow(1);
      QApplication::processEvents();
      janela.grab().save(captura);
      // And the open/import window on each page.
      for (auto [pagina, sufixo] : {std::pair{mivo::TfrmAbrir::Pagina::Texto, "-texto.png"},
                                    std::pair{mivo::TfrmAbrir::Pagina::Planilha, "-planilha.png"}}) {
        mivo::TfrmAbrir abrir(janela, pagina);
        abrir.show();
        QApplication::processEvents();
        abrir.grab().save(QString(captura).replace(QLatin1String(".png"), QLatin1String(sufixo)));
      }
    }
  }
  std::printf("%d registros, %d vezes (medianas, ms)\n", linhas, n);
  std::printf("colar sem janela (CLLista):   %10.1f\n", mediana(semJanela));
  std::printf("colar pela janela:            %10.1f\n", mediana(colar));
  std::printf("AutoSizeGrid (amostra):       %10.1f\n", mediana(autoSize));
  std::printf("medir todas as linhas:        %10.1f\n", mediana(tudoMedido));
  std::printf("ir ao último e repintar:      %10.1f\n", mediana(fim));
  std::printf("seta para baixo no meio:      %10.1f\n", mediana(seta));
  std::printf("excluir 1.000 selecionados:   %10.1f\n", mediana(excluir));
  std::printf("pico de memória (KiB):        %10ld\n", picoMemoriaKiB());
  return 0;
}
