// The action recorder on a real X desktop (Xvfb with openbox) in the
// Brazilian layout: a user clicks into the target window and types a text
// with capitals, accents made with dead keys, "Ç" and shifted symbols, all
// through XTest, while the recorder (CLGravador on a 10 ms timer, with the
// X11 desktop) records; then a drag. The recorded lines, run by mivo-run
// against the same window, type the same text again and drag again.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "unCLGravador.h"
#include "unTecladoXTeste.h"

using namespace mivo;
using namespace mivo::teste;
namespace fs = std::filesystem;

namespace {

// One key of a character: its keysym's name (as the server's map has it in
// the Brazilian layout) and whether Shift goes with it.
struct Toque {
  std::string nome;
  bool shift = false;
};

// The keys a person presses on a Brazilian ABNT2 keyboard for `c`.
std::vector<Toque> toquesDe(char32_t c) {
  const std::u32string acentuadas = U"ÁÉÍÓÚáéíóúÀàÃÕãõÂÊÔâêôÜü";
  const std::u32string bases = U"AEIOUaeiouAaAOaoAEOaeoUu";
  const std::u32string mortas = U"´´´´´´´´´´``~~~~^^^^^^¨¨";
  auto letra = [](char32_t b) {
    const bool maiuscula = b >= U'A' && b <= U'Z';
    return Toque{std::string(1, static_cast<char>(maiuscula ? b - U'A' + U'a' : b)), maiuscula};
  };
  if (const auto i = acentuadas.find(c); i != std::u32string::npos) {
    Toque morta;
    switch (mortas[i]) {
      case U'´': morta = {"dead_acute", false}; break;
      case U'`': morta = {"dead_acute", true}; break;
      case U'~': morta = {"dead_tilde", false}; break;
      case U'^': morta = {"dead_tilde", true}; break;
      default: morta = {"6", true}; break;
    }
    return {morta, letra(bases[i])};
  }
  if (c == U'Ç' || c == U'ç') return {{"ccedilla", c == U'Ç'}};
  if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) return {letra(c)};
  if (c >= U'0' && c <= U'9') return {{std::string(1, static_cast<char>(c)), false}};
  const std::pair<char32_t, Toque> simbolos[] = {
      {U' ', {"space"}},        {U',', {"comma"}},         {U'.', {"period"}},      {U';', {"semicolon"}},
      {U':', {"semicolon", true}}, {U'[', {"bracketleft"}}, {U'{', {"bracketleft", true}},
      {U']', {"bracketright"}}, {U'}', {"bracketright", true}}, {U'"', {"apostrophe", true}},
      {U'!', {"1", true}},      {U'-', {"minus"}},         {U'=', {"equal"}},       {U'@', {"2", true}},
  };
  for (const auto& [s, t] : simbolos)
    if (s == c) return {t};
  ADD_FAILURE() << "sem teclas para " << static_cast<unsigned>(c);
  return {};
}

class GravadorX11 : public TesteX11 {
 protected:
  void SetUp() override {
    TesteX11::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (!QCoreApplication::instance()) gAplicacao = std::make_unique<QCoreApplication>(gArgc, gArgv);
  }

  // Processes events until the recorder took `passos` more polling steps.
  void aguardarPassos(int passos = 2) {
    const long alvo = gPassos + passos;
    QElapsedTimer relogio;
    relogio.start();
    while (gPassos < alvo && relogio.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    ASSERT_GE(gPassos, alvo) << "o gravador parou";
  }

  // Starts the recorder on a 10 ms timer; its lines go to `linhas`.
  void gravar(CLGravador& gravador) {
    gTimer = std::make_unique<QTimer>();
    gTimer->setInterval(10);
    QObject::connect(gTimer.get(), &QTimer::timeout, [this, &gravador] {
      const CLGravador::Gravado g = gravador.passo(!linhas.empty());
      for (const QString& l : g.linhas) linhas.push_back(l.toStdString());
      for (const auto& e : g.linhasTecla) teclasGravadas.push_back(e.texto.toStdString());
      ++gPassos;
    });
    gTimer->start();
  }

  void tocar(CLTecladoXTeste& teclado, const Toque& t) {
    if (t.shift) {
      ASSERT_TRUE(teclado.pressionar("Shift_L"));
      aguardarPassos();
    }
    ASSERT_TRUE(teclado.pressionar(t.nome)) << t.nome;
    aguardarPassos();
    ASSERT_TRUE(teclado.soltar(t.nome));
    aguardarPassos();
    if (t.shift) {
      ASSERT_TRUE(teclado.soltar("Shift_L"));
      aguardarPassos();
    }
  }

  void clicar(PontoTela p, std::optional<PontoTela> soltarEm = {}) {
    desktop->cursorPosicionar(p);
    aguardarPassos();
    desktop->botaoPressionar(BotaoMouse::Esquerdo);
    aguardarPassos();
    if (soltarEm) {
      // Moved while held, in a few steps, as a hand moves it.
      for (int i = 1; i <= 4; ++i) {
        desktop->cursorPosicionar({p.x + (soltarEm->x - p.x) * i / 4, p.y + (soltarEm->y - p.y) * i / 4});
        aguardarPassos(1);
      }
    }
    desktop->botaoSoltar(BotaoMouse::Esquerdo);
    aguardarPassos();
  }

  std::vector<std::string> linhas;
  std::vector<std::string> teclasGravadas;
  long gPassos = 0;
  std::unique_ptr<QTimer> gTimer;
  // The application goes before the program's exit handlers run: Qt's own
  // statics are gone by then.
  static void TearDownTestSuite() { gAplicacao.reset(); }
  static inline int gArgc = 1;
  static inline char gNome[] = "test_unGravadorX11";
  static inline char* gArgv[] = {gNome, nullptr};
  static inline std::unique_ptr<QCoreApplication> gAplicacao;
};

TEST_F(GravadorX11, TextoComAcentosGravadoVoltaIgualNoMivoRun) {
  // The Brazilian layout on the test display.
  CLProcessoTeste setxkbmap;
  CLProcessoTeste::Opcoes opcoes;
  opcoes.ambiente = {{"DISPLAY", tela}};
  if (!setxkbmap.iniciar({"setxkbmap", "-layout", "br"}, opcoes)) GTEST_SKIP() << "sem setxkbmap";
  int status = -1;
  ASSERT_TRUE(setxkbmap.aguardarFim(10000, &status));
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "setxkbmap -layout br falhou";
  ASSERT_TRUE(aguardar([&] { return desktop->teclaTexto(186, 0, true).texto == u"ç"; }))
      << "o desktop não viu o teclado brasileiro";
  // The dead keys as the desktop tells them.
  EXPECT_EQ(desktop->teclaTexto(219, 0, true).acento, U'\'');
  EXPECT_EQ(desktop->teclaTexto('A', U'\'', false).texto, u"á");

  CLAlvoTeste::Opcoes janela;
  janela.titulo = "Cadastro - Alvo";
  janela.x = 200, janela.y = 150, janela.largura = 600, janela.altura = 400;
  auto alvo = abrirAlvo(janela);
  ASSERT_TRUE(alvo);
  CLTecladoXTeste teclado;  // opened after the layout changed: its map is the new one
  ASSERT_TRUE(teclado.abrir(tela));

  const std::string texto =
      "Olá, AÇÃO É já! Você [nome] {email} \"ok\" ÊXITO; à vista: ü 123-45=6. Ópera Ímpar Úmido Ácido ç";
  const std::u32string caracteres = QString::fromStdString(texto).toStdU32String();
  ASSERT_GE(caracteres.size(), 50u);

  CLGravador gravador(*desktop, [] {
    static QElapsedTimer relogio;
    if (!relogio.isValid()) relogio.start();
    return relogio.elapsed();
  });
  gravar(gravador);
  clicar({500, 350});
  for (const char32_t c : caracteres)
    for (const Toque& t : toquesDe(c)) {
      tocar(teclado, t);
      if (HasFatalFailure()) return;
    }
  ASSERT_TRUE(alvo->aguardarTexto(texto)) << alvo->textoRecebido();
  ASSERT_EQ(alvo->textoRecebido(), texto) << "o alvo não compôs o que foi teclado";
  clicar({300, 200}, PontoTela{650, 480});
  gTimer->stop();
  EXPECT_NE(std::find(teclasGravadas.begin(), teclasGravadas.end(), "Ç"), teclasGravadas.end());
  EXPECT_NE(std::find(teclasGravadas.begin(), teclasGravadas.end(), "Á"), teclasGravadas.end());
  EXPECT_NE(std::find(linhas.begin(), linhas.end(), "&MouseArrastar(300;200;650;480)."), linhas.end());

  // The recorded lines, run by mivo-run against the same window.
  alvo->esquecer();
  desktop->cursorPosicionar({20, 20});
  const fs::path pasta = fs::temp_directory_path() / ("gravadorX11-" + std::to_string(::getpid()));
  fs::create_directories(pasta);
  {
    std::ofstream script(pasta / "gravado.mivo", std::ios::binary);
    for (const std::string& l : linhas) script << l << "\n";
  }
  CLProcessoTeste mivoRun;
  CLProcessoTeste::Opcoes execucao;
  execucao.ambiente = {{"DISPLAY", tela}, {"MIVO_BASE_DIR", pasta.string()}};
  execucao.saida = (pasta / "saida.txt").string();
  ASSERT_TRUE(mivoRun.iniciar({MIVO_RUN, "--silencioso", (pasta / "gravado.mivo").string()}, execucao));
  ASSERT_TRUE(mivoRun.aguardarFim(60000, &status));
  std::ifstream saida(pasta / "saida.txt");
  const std::string mensagens((std::istreambuf_iterator<char>(saida)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << mensagens;
  EXPECT_TRUE(alvo->aguardarTexto(texto));
  EXPECT_EQ(alvo->textoRecebido(), texto);
  // The drag: down where it began, up where it ended.
  EXPECT_TRUE(alvo->aguardarLinha("solta 1 650 480"));
  const auto relatorio = alvo->linhas();
  EXPECT_NE(std::find(relatorio.begin(), relatorio.end(), "pressiona 1 300 200"), relatorio.end());
  std::string gravado;
  for (const std::string& l : linhas) gravado += l + "\n";
  if (HasFailure()) std::cout << "Linhas gravadas:\n" << gravado;
  fs::remove_all(pasta);
}

}  // namespace
