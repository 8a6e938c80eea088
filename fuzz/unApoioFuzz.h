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
#include <QHash>
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
#include "unCLGrade.h"
#include "unCLHostMemoria.h"
#include "unCLLista.h"
#include "unCLScript.h"
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
// "Encerrar") after kMaxInstrucoes statements, kMaxChamadas function calls,
// kMaxArquivos file names or kMaxEsperaMs of virtual time, and every wait
// ends with it; so a loop or a wait written for a day costs a bounded
// amount of work.
class CLHostFuzz : public CLHostMemoria {
 public:
  static constexpr int kMaxInstrucoes = 400;
  static constexpr int kMaxChamadas = 2000;
  static constexpr qint64 kMaxEsperaMs = qint64(10) * 60 * 1000;
  // File names resolved (each a file read or written, a few dozen system
  // calls): a loop that saves a list at every turn made inputs that cost a
  // hundred times the others.
  static constexpr int kMaxArquivos = 16;

  CLHostFuzz() : CLHostMemoria(/*relogioVirtual=*/true) {
    pastaAreia();
    relogio().definirDataHora(QDateTime(QDate(2024, 5, 17), QTime(9, 30)));
    // Made when the script first needs it: most inputs never do.
    setFabricaDesktop([](QString&) { return std::make_unique<CLDesktopSimulado>(cenarioDeApoio()); });
  }
  ~CLHostFuzz() override {
    // What the run wrote goes; what it may have changed comes back.
    for (const QString& caminho : gEntregues) QFile::remove(caminho);
    if (gTocouApoio) restaurarArquivosDeApoio();
    // The list's recent files are written only along with a file the
    // script named, the hidden tips only when a tip was shown.
    if (gArquivos > 0) removerDaAreia("recentfiles.txt");
    if (gDicas) removerDaAreia("tipfile.txt");
  }

  bool esgotado() const {
    return gInstrucoes > kMaxInstrucoes || gChamadas > kMaxChamadas || gDormidoMs > kMaxEsperaMs ||
           gArquivos > kMaxArquivos;
  }
  bool parar() const override { return CLHostMemoria::parar() || esgotado(); }
  void exibirDica(const QString& identificador, const QString& texto, int altura) override {
    gDicas = true;
    CLHostMemoria::exibirDica(identificador, texto, altura);
  }
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
    ++gArquivos;
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
  int gInstrucoes = 0, gChamadas = 0, gPerguntas = 0, gValores = 0, gArquivos = 0;
  qint64 gDormidoMs = 0;
  QSet<QString> gEntregues;
  bool gTocouApoio = false, gDicas = false;
};

// Lines of a script input that go one by one through the reading helpers
// and the expansion (the checker and the run read every line). A mutation
// usually changes one line, and a line costs the same wherever it stands: a
// few lines reach every path of the helpers; more only made inputs slower.
constexpr int kMaxLinhasLidas = 12;

// A data table with records (one of them holding what looks like calls,
// variables and columns: data that must never run) and an auxiliary text.
inline void prepararHostDeScript(CLHostFuzz& host, const QString& texto) {
  host.setDebugAtivo(texto.contains(QLatin1String("##debug")));
  host.setEditorTexto(texto);
  // Built once; each input's table takes the rows over (they share their
  // text until written).
  static const QList<CLLinhaGrade> linhas = {
      CLLinhaGrade(QStringList{QStringLiteral("nome"), QStringLiteral("email"), QStringLiteral("celular")}),
      CLLinhaGrade(QStringList{QStringLiteral("Ana"), QStringLiteral("ana@exemplo.com.br"), QStringLiteral("(81) 99999-0000")}),
      CLLinhaGrade(QStringList{QStringLiteral("Bia"), QStringLiteral("[nome] &Hora()."), QStringLiteral("{email}")})};
  host.lista().gridDados.substituirLinhas(QList<CLLinhaGrade>(linhas), 3);
  host.setTextoAuxiliarLinhas({QStringLiteral("um"), QStringLiteral("dois [x]")});
}

// Rows and columns of a grid checked cell by cell.
constexpr int kMaxVerificadas = 64;

// What every grid keeps, whatever was loaded into it.
inline void verificarGrade(const CLGrade& g) {
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

// An engine for a script input, as mivo-run makes one: on the data table
// of a prepared host, with one variable (x) set.
struct CLScriptFuzz {
  CLHostFuzz host;
  CLScript script{host};
  explicit CLScriptFuzz(const QString& texto) {
    prepararHostDeScript(host, texto);
    script.setGrade(*host.lista().gGrid);
    script.valores().acrescentar(QStringLiteral("x"), QStringLiteral("X"));
  }
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

// Every target prepares the sandbox before its first input (each target is
// one translation unit, so the definition here is its only one; not
// inline, so that it is emitted for libFuzzer to find).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  mivo::fuzz::prepararAmbiente();
  return 0;
}
