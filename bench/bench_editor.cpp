// Typing latency in the workbench's script editor on big scripts: a key
// typed in the middle of the text until the window has handled it and
// repainted (syntax colouring, the checker's timer, the workbench's change
// handler), as a median and the 95th percentile of N keys.
//   bench_editor [teclas]   (bench/editor.sh)
// Cases: a 5 MB script of ordinary lines, and a script with one 1 MB line.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "unCLEditorScript.h"
#include "unFrmMain.h"

namespace {

QByteArray scriptGrande(qsizetype bytes) {
  const QByteArray bloco =
      "//* Envio para {nome}\r\n"
      "&JanelaAtivar(\"WhatsApp\").\r\n"
      "&MouseClicarAcao(120;340;\"clique na busca\").\r\n"
      "&TextoColar(\"Olá {nome}, tudo bem? Seu pedido [pedido] já saiu.\").\r\n"
      "&Pausar(500).\r\n"
      "&LaProximaLinha().\r\n";
  QByteArray r;
  r.reserve(bytes + bloco.size());
  while (r.size() < bytes) r += bloco;
  return r;
}

QByteArray linhaGrande(qsizetype bytes) {
  QByteArray r = "&TextoColar(\"";
  while (r.size() < bytes) r += "Olá mundo, ";
  return r + "\").\r\n&TeclarEnter().\r\n";
}

struct Medida {
  double mediana, p95;
};

Medida medir(mivo::TfrmMain& janela, int teclas) {
  auto* editor = janela.findChild<mivo::CLEditorScript*>(QStringLiteral("mmoScript"));
  editor->setFocus();
  const int meio = std::max(1, editor->qtdLinhas() / 2);
  editor->seguirLinha(meio);
  QApplication::processEvents();
  std::vector<double> ms;
  for (int i = 0; i < teclas; ++i) {
    QElapsedTimer t;
    t.start();
    QTest::keyClick(editor, static_cast<char>('a' + i % 26));
    editor->repaint();
    QApplication::processEvents();
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)]};
}

}  // namespace

int main(int argc, char** argv) {
  const int teclas = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir base;
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  struct Caso {
    const char* nome;
    QByteArray texto;
  };
  const Caso casos[] = {{"script de 5 MB", scriptGrande(5 * 1024 * 1024)},
                        {"linha de 1 MB", linhaGrande(1024 * 1024)}};
  for (const Caso& c : casos) {
    const QString caminho = base.filePath(QStringLiteral("grande.mivo"));
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(c.texto) != c.texto.size()) return 2;
    f.close();
    mivo::TfrmMain janela(true);
    janela.resize(1200, 800);
    janela.show();
    QElapsedTimer abrir;
    abrir.start();
    if (!janela.abrirScript(caminho)) return 3;
    QApplication::processEvents();
    const double msAbrir = abrir.nsecsElapsed() / 1e6;
    janela.entrarModoEdicao();
    QApplication::processEvents();
    const Medida m = medir(janela, teclas);
    std::printf("%-16s abrir %7.1f ms   tecla: mediana %6.2f ms, p95 %6.2f ms (%d teclas)\n", c.nome, msAbrir,
                m.mediana, m.p95, teclas);
    janela.fecharMivo();
  }
  return 0;
}
