#pragma once
// What the fuzz targets share: a sandbox folder (the base folder of the run,
// and the only place a file name written by a script can lead to) and a host
// on a virtual clock whose runs and waits have a budget, driving a simulated
// desktop. Every input gets a fresh host, so inputs do not see each other.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "unCLDesktopSimulado.h"
#include "unCLHostMemoria.h"
#include "unCenarioSimulado.h"
#include "unUtil.h"

namespace mivo::fuzz {

// A finding: the fuzzer reports it as a crash, with the input that caused it.
[[noreturn]] inline void falha(const char* mensagem) {
  fprintf(stderr, "\nmivo-fuzz: propriedade violada: %s\n", mensagem);
  abort();
}
#define MIVO_FUZZ_EXIGIR(cond) \
  do {                         \
    if (!(cond)) ::mivo::fuzz::falha(#cond);\
  } while (0)

inline QString texto(const uint8_t* dados, size_t tamanho) {
  return decodificarTexto(QByteArray(reinterpret_cast<const char*>(dados), qsizetype(tamanho)));
}

// The sandbox, created on first use in the temporary folder (TMPDIR:
// ferramentas/fuzz.sh points it at memory, /dev/shm, when there is one, so
// that file operations cost little, and removes it afterwards) and made the
// base folder. Removed at a normal exit.
inline const QString& pastaAreia() {
  static const QString pasta = [] {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/mivo-fuzz-XXXXXX"));
    if (!dir.isValid()) falha("não foi possível criar a pasta temporária");
    qputenv("MIVO_BASE_DIR", dir.path().toLocal8Bit());
    QDir(dir.path()).mkpath(QStringLiteral("arquivos"));
    return dir.path();
  }();
  return pasta;
}

// Files that scripts may find in the sandbox, rewritten whenever a run may
// have touched them.
inline const QList<std::pair<QString, QByteArray>>& arquivosDeApoio() {
  static const QList<std::pair<QString, QByteArray>> arquivos = {
      {QStringLiteral("contatos.txt"),
       QByteArray("nome;email;celular\r\nAna;ana@exemplo.com.br;(81) 99999-0000\r\n"
                  "Bia;\"bia;b@x\";(11) 98888-1111\r\n")},
      {QStringLiteral("modelo.txt"), QByteArray("Ol\xE1 [nome]\r\n{email}\r\nsegunda linha\r\n")},
  };
  return arquivos;
}

// Removes a file of the sandbox that a run may have left, with one system
// call (QFile::remove costs several, for a file that is usually missing).
inline void removerDaAreia(const char* nome) {
  const QByteArray caminho = QFile::encodeName(pastaAreia()) + '/' + nome;
  std::remove(caminho.constData());
}

inline void restaurarArquivosDeApoio() {
  for (const auto& [nome, bytes] : arquivosDeApoio()) {
    QFile f(pastaAreia() + QStringLiteral("/arquivos/") + nome);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
  }
}

// The scenario of the simulated desktop every run starts from: a few
// windows (one hidden, one minimised), coloured areas and an opening.
inline const CenarioSimulado& cenarioDeApoio() {
  static const CenarioSimulado cenario = [] {
    const QByteArray json = R"({
      "tela": [1366, 768], "cursor": [683, 384],
      "janelas": [
        {"id": 1, "titulo": "Sem título - Bloco de notas", "executavel": "notepad.exe", "pid": 4120,
         "retangulo": [100, 80, 800, 600], "primeiroPlano": true},
        {"titulo": "Salvar como", "executavel": "notepad.exe", "pid": 4120, "pai": 1,
         "visivel": false, "retangulo": [300, 200, 500, 350]},
        {"titulo": "Mensageiro", "executavel": "mensageiro.exe", "pid": 5230,
         "retangulo": [0, 0, 1366, 728], "minimizada": true}
      ],
      "cores": [{"retangulo": [0, 728, 1366, 40], "cor": "rgb[32,32,32]"},
                {"retangulo": [600, 300, 200, 200], "cor": "rgb[1,2,3]"}],
      "areaTransferencia": "Olá, tudo bem?",
      "aberturas": [{"comando": "calc.exe",
        "janela": {"titulo": "Calculadora", "executavel": "calc.exe", "pid": 6400}}]
    })";
    CenarioSimulado c;
    QString erro;
    if (!lerCenarioSimuladoJson(json, c, &erro)) falha("o cenário de apoio não pôde ser lido");
    return c;
  }();
  return cenario;
}

// The host of one input. Budget: a run ends (as if the user pressed
// "Encerrar") after kMaxInstrucoes statements, kMaxChamadas function calls
// or kMaxEsperaMs of virtual time, and every wait ends with it; so a loop or
// a wait written for a day costs a bounded amount of work.
class CLHostFuzz : public CLHostMemoria {
 public:
  static constexpr int kMaxInstrucoes = 400;
  static constexpr int kMaxChamadas = 2000;
  static constexpr qint64 kMaxEsperaMs = qint64(10) * 60 * 1000;

  CLHostFuzz() : CLHostMemoria(/*relogioVirtual=*/true) {
    pastaAreia();
    relogio().definirDataHora(QDateTime(QDate(2024, 5, 17), QTime(9, 30)));
    setDesktop(std::make_unique<CLDesktopSimulado>(cenarioDeApoio()));
  }
  ~CLHostFuzz() override {
    // What the run wrote goes; what it may have changed comes back.
    for (const QString& caminho : gEntregues) QFile::remove(caminho);
    if (gTocouApoio) restaurarArquivosDeApoio();
    removerDaAreia("recentfiles.txt");
    removerDaAreia("tipfile.txt");
  }

  bool esgotado() const {
    return gInstrucoes > kMaxInstrucoes || gChamadas > kMaxChamadas || gDormidoMs > kMaxEsperaMs;
  }
  bool parar() const override { return CLHostMemoria::parar() || esgotado(); }
  void instrucaoConcluida() override { ++gInstrucoes; }
  void setLogGeral(const QString& mensagem, CorLog cor) override {
    ++gChamadas;
    CLHostMemoria::setLogGeral(mensagem, cor);
  }
  void dormir(qint64 ms) override {
    if (ms > 0) gDormidoMs += ms;
    CLHostMemoria::dormir(ms);
  }

  // "Sim" to the first questions, every other one, then "Não"; so a
  // question asked again and again (a retry) still ends.
  RespostaSimNao perguntarSimNao(const QString&) override {
    ++gPerguntas;
    return gPerguntas <= 6 && gPerguntas % 2 == 1 ? RespostaSimNao::Sim : RespostaSimNao::Nao;
  }
  QString pedirValor(const QString&, const QString&) override {
    static const QStringList respostas = {QStringLiteral("1"), QStringLiteral("Ana;ana@x\r\n"), QString(),
                                          QStringLiteral("[nome] {email} &Hora()."), QStringLiteral("-5")};
    return respostas[gValores++ % respostas.size()];
  }

  // Every name resolves into the sandbox: the real resolution runs (and
  // picks the extension), then only its file name is kept, made safe.
  QString getBestPath(const QString& nome, const QString& pasta, const QString& extensao) override {
    QString arquivo = QFileInfo(mivo::getBestPath(nome, pasta, extensao)).fileName().left(40);
    for (QChar& c : arquivo)
      if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'_' && c != u'-' && c != u'.') c = u'_';
    if (arquivo.isEmpty() || arquivo.startsWith(u'.')) arquivo.prepend(u'_');
    const QString caminho = pastaAreia() + QStringLiteral("/arquivos/") + arquivo;
    bool deApoio = false;
    for (const auto& a : arquivosDeApoio()) deApoio = deApoio || a.first == arquivo;
    if (deApoio)
      gTocouApoio = true;
    else
      gEntregues.insert(caminho);
    return caminho;
  }

 private:
  int gInstrucoes = 0, gChamadas = 0, gPerguntas = 0, gValores = 0;
  qint64 gDormidoMs = 0;
  QSet<QString> gEntregues;
  bool gTocouApoio = false;
};

// Run once before the first input: the sandbox and its files. Qt's
// warnings (a file name holding a NUL, say) are no findings and would only
// flood the output; a fatal Qt message still aborts, and is one.
inline void prepararAmbiente() {
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  pastaAreia();
  restaurarArquivosDeApoio();
}

}  // namespace mivo::fuzz
