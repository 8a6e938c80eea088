// mivo-run as a child process, stopped from outside: a signal ends the run
// after the statement under way, with keys released, the log, the list and
// the text written and exit status 3; a signal while the list is being
// saved leaves the old file or the new one, never a mix.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "impressaoQt.h"
#include "unProcessoTeste.h"
#include "unUtil.h"

using namespace mivo;
using mivo::teste::CLProcessoTeste;

namespace {

// Polls `condicao` until it holds or `limiteMs` passes (generous: the
// machine may be busy).
bool aguardar(const std::function<bool()>& condicao, int limiteMs = 20000) {
  const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(limiteMs);
  while (!condicao()) {
    if (std::chrono::steady_clock::now() >= fim) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

QByteArray lerBytes(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList linhasDe(const QString& caminho) {
  QString texto;
  lerArquivoTexto(caminho, texto);
  return dividirLinhas(texto);
}

void gravar(const QString& caminho, const QByteArray& conteudo) { ASSERT_TRUE(gravarArquivo(caminho, conteudo)); }

// Starts mivo-run in `pasta` (its base folder), stdout and stderr to saida.txt.
bool iniciar(CLProcessoTeste& processo, const QTemporaryDir& pasta, const QStringList& argumentos) {
  std::vector<std::string> argv{MIVO_RUN};
  for (const QString& a : argumentos) argv.push_back(a.toStdString());
  CLProcessoTeste::Opcoes opcoes;
  opcoes.ambiente = {{"MIVO_BASE_DIR", pasta.path().toStdString()}, {"DISPLAY", ""}};
  opcoes.saida = pasta.filePath(QStringLiteral("saida.txt")).toStdString();
  return processo.iniciar(argv, opcoes);
}

}  // namespace

// A script that never ends, on the simulated desktop: each signal stops it
// with exit status 3, every key it pressed released, and the log, the list
// and the text it was asked to write all there.
TEST(MivoRunSinais, SinalEncerraAExecucaoSimulada) {
  for (const int sinal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(sinal));
    QTemporaryDir pasta;
    const QString script = pasta.filePath(QStringLiteral("s.mivo"));
    gravar(script,
           "&Marcador(volta).\n&TeclarControlMais(\"a\").\n&LaValorMudar(nome;\"visto\").\n"
           "&TaLinhaAdicionar(\"volta\").\n&VaiPara(volta).\n");
    gravar(pasta.filePath(QStringLiteral("contatos.txt")), "nome;cidade\r\nAna;Recife\r\n");
    const QString log = pasta.filePath(QStringLiteral("log.txt"));
    const QString lista = pasta.filePath(QStringLiteral("lista.txt"));
    const QString texto = pasta.filePath(QStringLiteral("texto.txt"));
    const QString saida = pasta.filePath(QStringLiteral("saida.txt"));
    CLProcessoTeste mivoRun;
    ASSERT_TRUE(iniciar(mivoRun, pasta,
                        {QStringLiteral("--simular"), QStringLiteral("--log"), log, QStringLiteral("--lista"),
                         pasta.filePath(QStringLiteral("contatos.txt")), QStringLiteral("--salvar-lista"), lista,
                         QStringLiteral("--salvar-texto"), texto, script}));
    // Going round: Ctrl+A pressed at least twice.
    ASSERT_TRUE(aguardar([&] { return lerBytes(saida).count("Desktop: tecla 65 baixo") >= 2; }))
        << lerBytes(saida).toStdString();
    kill(mivoRun.pid(), sinal);
    int status = 0;
    ASSERT_TRUE(mivoRun.aguardarFim(20000, &status));
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 3);

    const QByteArray impresso = lerBytes(saida);
    for (const char* tecla : {"17", "65"}) {
      EXPECT_EQ(impresso.count(QByteArray("Desktop: tecla ") + tecla + " baixo"),
                impresso.count(QByteArray("Desktop: tecla ") + tecla + " cima"))
          << tecla;
    }
    // The log file holds every entry that was printed, whole.
    const QStringList entradas = dividirLinhas(QString::fromUtf8(impresso)).filter(QRegularExpression("^Linha: "));
    EXPECT_GE(entradas.size(), 4);
    EXPECT_EQ(linhasDe(log), entradas);
    EXPECT_TRUE(lerBytes(log).endsWith('\n'));
    EXPECT_EQ(lerBytes(lista), QByteArray("nome;cidade\r\nvisto;Recife\r\n"));
    EXPECT_TRUE(linhasDe(texto).contains(QStringLiteral("volta")));
  }
}

// SIGTERM while a list of a million rows is being saved: the save goes on
// to its end (the run had already ended, so the exit status is its own, 0),
// and the file is the whole new list.
TEST(MivoRunSinais, SinalDuranteAGravacaoDeUmaListaGrande) {
  QTemporaryDir pasta;
  QByteArray grande = "nome;numero\r\n";
  grande.reserve(24 * 1000 * 1000);
  for (int i = 0; i < 1000000; ++i) grande += "Contato " + QByteArray::number(i) + ';' + QByteArray::number(i) + "\r\n";
  const QString entrada = pasta.filePath(QStringLiteral("grande.txt"));
  gravar(entrada, grande);
  const QString lista = pasta.filePath(QStringLiteral("lista.txt"));
  const QByteArray antigo = "conteúdo antigo\r\n";
  gravar(lista, antigo);
  const QString script = pasta.filePath(QStringLiteral("s.mivo"));
  gravar(script, "&ValorDefinir(x;1).\n");

  CLProcessoTeste mivoRun;
  ASSERT_TRUE(iniciar(mivoRun, pasta,
                      {QStringLiteral("--silencioso"), QStringLiteral("--lista"), entrada,
                       QStringLiteral("--salvar-lista"), lista, script}));
  // The save is under way while the process holds a new file in the list's
  // folder (an unnamed one, or one named after the list).
  const std::string procFd = "/proc/" + std::to_string(mivoRun.pid()) + "/fd";
  const std::string unico = pasta.path().toStdString() + "/#";
  const std::string nomeado = lista.toStdString() + ".";
  auto gravando = [&] {
    std::error_code erro;
    for (const auto& fd : std::filesystem::directory_iterator(procFd, erro)) {
      const std::string alvo = std::filesystem::read_symlink(fd.path(), erro).string();
      if (alvo.rfind(unico, 0) == 0 || alvo.rfind(nomeado, 0) == 0) return true;
    }
    return false;
  };
  bool viu = false;
  aguardar([&] { return (viu = gravando()) || !mivoRun.vivo(); }, 60000);
  ASSERT_TRUE(viu) << lerBytes(pasta.filePath(QStringLiteral("saida.txt"))).toStdString();
  kill(mivoRun.pid(), SIGTERM);
  int status = 0;
  ASSERT_TRUE(mivoRun.aguardarFim(60000, &status));
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const QByteArray gravada = lerBytes(lista);
  EXPECT_TRUE(gravada == grande) << gravada.size() << " bytes";
  EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files, QDir::Name),
            (QStringList{QStringLiteral("grande.txt"), QStringLiteral("lista.txt"), QStringLiteral("s.mivo"),
                         QStringLiteral("saida.txt")}));
}
