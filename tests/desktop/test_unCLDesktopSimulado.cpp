#include <gtest/gtest.h>

#include "unCLDesktopSimulado.h"

using namespace mivo;
using Linhas = std::vector<std::string>;

namespace {

JanelaSimulada janela(std::u16string titulo, std::u16string exe, ProcessoId pid) {
  JanelaSimulada j;
  j.titulo = std::move(titulo);
  j.executavel = std::move(exe);
  j.processo = pid;
  return j;
}

// Three windows, topmost first: the notepad with the focus, its hidden
// dialog, and a minimised messenger.
class DesktopSimulado : public ::testing::Test {
 protected:
  DesktopSimulado() {
    CenarioSimulado c;
    c.tela = {1000, 800};
    c.cursor = {10, 10};
    c.janelas.push_back(janela(u"Sem título - Bloco de notas", u"notepad.exe", 40));
    c.janelas[0].id = JanelaId{7};
    c.janelas.push_back(janela(u"Salvar como", u"notepad.exe", 40));
    c.janelas[1].pai = JanelaId{7};
    c.janelas[1].visivel = false;
    c.janelas.push_back(janela(u"Mensageiro", u"mensageiro.exe", 50));
    c.janelas[2].minimizada = true;
    c.primeiroPlano = 0;
    c.programas.push_back({u"explorer.exe", 4});
    c.programas.push_back({u"outro.exe", 40});  // pid of the notepad: not listed twice
    c.cores.push_back({{0, 0, 100, 100}, corRgb(255, 0, 0)});
    c.cores.push_back({{50, 50, 100, 100}, corRgb(0, 0, 255)});
    c.corFundo = corRgb(1, 2, 3);
    c.areaTransferencia = u"inicial";
    c.teclasLigadas = {tecla::kCapsLock};
    sim.definirCenario(c);
  }

  JanelaId porTitulo(const std::u16string& titulo) const { return sim.janelaPorTitulo(titulo); }
  std::vector<std::u16string> titulosEmOrdem() const {
    std::vector<std::u16string> r;
    for (JanelaId j : sim.janelasEmOrdem()) r.push_back(sim.janelaTitulo(j));
    return r;
  }

  CLDesktopSimulado sim;
};

}  // namespace

TEST_F(DesktopSimulado, TeclasPressionadasEAlternanciaNoEstado) {
  EXPECT_EQ(sim.teclaEstado(tecla::kCapsLock), kTeclaLigada);  // from the scenario
  sim.teclaPressionar(tecla::kCtrl);
  EXPECT_EQ(sim.teclaEstado(tecla::kCtrl), kTeclaPressionada | kTeclaLigada);
  sim.teclaPressionar(tecla::kCtrl);  // held: the toggle does not switch again
  EXPECT_EQ(sim.teclaEstado(tecla::kCtrl), kTeclaPressionada | kTeclaLigada);
  sim.teclaSoltar(tecla::kCtrl);
  EXPECT_EQ(sim.teclaEstado(tecla::kCtrl), kTeclaLigada);
  sim.teclaPressionar(tecla::kCapsLock);
  sim.teclaSoltar(tecla::kCapsLock);
  EXPECT_EQ(sim.teclaEstado(tecla::kCapsLock), 0);
  sim.teclaPressionar(999);  // out of range: recorded, no state
  EXPECT_EQ(sim.teclaEstado(999), 0);
  EXPECT_EQ(sim.linhas(),
            (Linhas{"Desktop: tecla 17 baixo", "Desktop: tecla 17 baixo", "Desktop: tecla 17 cima",
                    "Desktop: tecla 20 baixo", "Desktop: tecla 20 cima", "Desktop: tecla 999 baixo"}));
  // The user holding a key is not a script action.
  sim.setTeclaEstado(tecla::kShift, true, false);
  EXPECT_EQ(sim.teclaEstado(tecla::kShift), kTeclaPressionada);
  EXPECT_EQ(sim.acoes().size(), 6u);
}

TEST_F(DesktopSimulado, TeclaDeCadaCaractereNoLayoutAmericano) {
  const std::pair<char32_t, int> casos[] = {
      {U'a', 65},           {U'z', 90},           {U'A', 0x100 | 65}, {U'0', 48},           {U'9', 57},
      {U'!', 0x100 | 49},   {U')', 0x100 | 48},   {U';', 0xBA},       {U':', 0x100 | 0xBA}, {U'/', 0xBF},
      {U'?', 0x100 | 0xBF}, {U'"', 0x100 | 0xDE}, {U' ', 32},         {U'\r', 13},          {U'\t', 9},
      {U'ç', kSemTecla},    {U'é', kSemTecla},    {U'😀', kSemTecla},
  };
  for (const auto& [c, esperado] : casos) EXPECT_EQ(sim.teclaDoCaractere(c), esperado) << int(c);
}

// What each key types: alone, with Shift and Caps Lock as the user holds
// and lights them, and, in the international variant, the dead keys.
TEST_F(DesktopSimulado, TextoDeCadaTeclaComShiftCapsETeclasMortas) {
  const struct {
    int tecla;
    bool shift, caps, mortas, modificadores;
    TextoTecla esperado;
  } casos[] = {
      {'A', false, false, false, true, {u"a", 0}},    {'A', true, false, false, true, {u"A", 0}},
      {'A', false, true, false, true, {u"A", 0}},     {'A', true, true, false, true, {u"a", 0}},
      {'A', true, true, false, false, {u"a", 0}},     {'1', true, true, false, true, {u"!", 0}},
      {0xDB, true, false, false, true, {u"{", 0}},    {0xDE, false, false, false, true, {u"'", 0}},
      {0xDE, false, false, true, true, {u"", U'\''}}, {0xDE, true, false, true, true, {u"", U'"'}},
      {0xC0, true, false, true, true, {u"", U'~'}},   {'6', true, false, true, true, {u"", U'^'}},
      {'6', false, false, true, true, {u"6", 0}},     {tecla::kEspaco, true, false, false, true, {u" ", 0}},
      {tecla::kEnter, false, false, false, true, {}}, {tecla::kShift, true, false, false, true, {}},
      {tecla::kBotaoEsquerdo, false, false, false, true, {}},
  };
  for (const auto& c : casos) {
    sim.setTeclaEstado(tecla::kShift, c.shift, false);
    sim.setTeclaEstado(tecla::kCapsLock, false, c.caps);
    sim.setTeclasMortas(c.mortas);
    EXPECT_EQ(sim.teclaTexto(c.tecla, 0, c.modificadores), c.esperado) << c.tecla << " " << c.shift;
  }
  // After a dead key's accent.
  sim.setTeclaEstado(tecla::kShift, true, false);
  sim.setTeclaEstado(tecla::kCapsLock, false, false);
  EXPECT_EQ(sim.teclaTexto('E', U'´', true).texto, u"É");
  EXPECT_TRUE(sim.acoes().empty());  // asking types nothing
}

TEST_F(DesktopSimulado, CaractereDigitadoFicaRegistradoComoEscrito) {
  for (char32_t c : std::u32string(U"Aç😀")) sim.caractereDigitar(c);
  EXPECT_EQ(sim.linhas(),
            (Linhas{"Desktop: caractere \"A\"", "Desktop: caractere \"ç\"", "Desktop: caractere \"😀\""}));
  EXPECT_EQ(sim.acoes()[2].caractere, U'😀');
}

TEST_F(DesktopSimulado, CorDoPixelSegueOCursor) {
  struct Caso {
    PontoTela ponto;
    CorTela cor;
  } casos[] = {
      {{10, 10}, corRgb(255, 0, 0)},  // first area only
      {{60, 60}, corRgb(0, 0, 255)},  // both: the later one is on top
      {{120, 20}, corRgb(1, 2, 3)},   // background
      {{999, 799}, corRgb(1, 2, 3)},  // last pixel of the screen
      {{1000, 10}, kCorInvalida},     // off the screen
      {{-1, 10}, kCorInvalida},
  };
  for (const auto& c : casos) EXPECT_EQ(sim.pixelCor(c.ponto), c.cor) << c.ponto.x << "," << c.ponto.y;

  EXPECT_EQ(sim.pixelCor(sim.cursorPosicao()), corRgb(255, 0, 0));
  sim.cursorPosicionar({60, 60});
  EXPECT_EQ(sim.pixelCor(sim.cursorPosicao()), corRgb(0, 0, 255));
  sim.adicionarCor({{55, 55, 10, 10}, 42});
  EXPECT_EQ(sim.pixelCor(sim.cursorPosicao()), 42u);
}

TEST_F(DesktopSimulado, CursorParaNaBordaDaTelaMasORegistroGuardaOPedido) {
  sim.cursorPosicionar({-10, 5000});
  EXPECT_EQ(sim.cursorPosicao(), (PontoTela{0, 799}));
  sim.cursorPosicionar({990, 790});
  EXPECT_EQ(sim.cursorPosicao(), (PontoTela{990, 790}));
  EXPECT_EQ(sim.linhas(), (Linhas{"Desktop: cursor -10,5000", "Desktop: cursor 990,790"}));
}

TEST_F(DesktopSimulado, BotoesERodaSaoRegistradosEAparecemNoEstadoDasTeclas) {
  EXPECT_FALSE(sim.botoesTrocados());
  sim.botaoPressionar(BotaoMouse::Esquerdo);
  EXPECT_TRUE(sim.teclaEstado(tecla::kBotaoEsquerdo) & kTeclaPressionada);
  EXPECT_FALSE(sim.teclaEstado(tecla::kBotaoDireito) & kTeclaPressionada);
  sim.botaoSoltar(BotaoMouse::Esquerdo);
  EXPECT_FALSE(sim.teclaEstado(tecla::kBotaoEsquerdo) & kTeclaPressionada);
  sim.botaoPressionar(BotaoMouse::Direito);
  sim.botaoSoltar(BotaoMouse::Direito);
  sim.rodaGirar(-120);
  EXPECT_EQ(sim.linhas(),
            (Linhas{"Desktop: botão esquerdo baixo", "Desktop: botão esquerdo cima",
                    "Desktop: botão direito baixo", "Desktop: botão direito cima", "Desktop: roda -120"}));
  EXPECT_EQ(sim.acoes().back().valor, -120);
  sim.setBotoesTrocados(true);
  EXPECT_TRUE(sim.botoesTrocados());
}

TEST_F(DesktopSimulado, JanelasNaOrdemDaAreaDeTrabalho) {
  EXPECT_EQ(titulosEmOrdem(),
            (std::vector<std::u16string>{u"Sem título - Bloco de notas", u"Salvar como", u"Mensageiro"}));
  EXPECT_EQ(sim.janelaPrimeiroPlanoTitulo(), u"Sem título - Bloco de notas");
  const JanelaId notas = porTitulo(u"SEM TÍTULO - BLOCO DE NOTAS");
  EXPECT_EQ(notas, JanelaId{7});                       // the scenario's own number
  const JanelaId dialogo = porTitulo(u"salvar como");  // hidden windows are found too
  ASSERT_NE(dialogo, JanelaId::Nenhuma);
  EXPECT_FALSE(sim.janelaVisivel(dialogo));
  EXPECT_EQ(sim.janelaPai(dialogo), notas);
  EXPECT_EQ(porTitulo(u"Salvar"), JanelaId::Nenhuma);  // exact titles only
  EXPECT_EQ(sim.janelaExecutavel(notas), u"notepad.exe");
  EXPECT_EQ(sim.janelaRetangulo(notas), (RetanguloJanela{0, 0, 800, 600}));
  EXPECT_EQ(sim.janelaTitulo(JanelaId{12345}), u"");
}

TEST_F(DesktopSimulado, JanelaDoProcessoEAPrimeiraVisivelSemPai) {
  // The notepad's hidden dialog is skipped even when it is on top.
  const JanelaId dialogo = porTitulo(u"Salvar como");
  sim.janelaAtivar(dialogo);
  EXPECT_EQ(sim.janelaDoProcesso(40), porTitulo(u"Sem título - Bloco de notas"));
  EXPECT_EQ(sim.janelaDoProcesso(50), porTitulo(u"Mensageiro"));  // minimised still counts
  EXPECT_EQ(sim.janelaDoProcesso(4), JanelaId::Nenhuma);          // a program without windows
  EXPECT_EQ(
      sim.programasEmExecucao(),
      (std::vector<ProgramaEmExecucao>{{u"notepad.exe", 40}, {u"mensageiro.exe", 50}, {u"explorer.exe", 4}}));
}

TEST_F(DesktopSimulado, AtivarTrazParaFrenteDaFocoERestaura) {
  const JanelaId mensageiro = porTitulo(u"Mensageiro");
  ASSERT_TRUE(sim.janelaMinimizada(mensageiro));
  EXPECT_TRUE(sim.janelaAtivar(mensageiro));
  EXPECT_FALSE(sim.janelaMinimizada(mensageiro));
  EXPECT_EQ(sim.janelaPrimeiroPlano(), mensageiro);
  EXPECT_EQ(titulosEmOrdem(),
            (std::vector<std::u16string>{u"Mensageiro", u"Sem título - Bloco de notas", u"Salvar como"}));
  EXPECT_EQ(sim.linhas(), (Linhas{"Desktop: janela ativada \"Mensageiro\""}));
  EXPECT_FALSE(sim.janelaAtivar(JanelaId{12345}));  // no such window: nothing happens
  EXPECT_EQ(sim.acoes().size(), 1u);
}

TEST_F(DesktopSimulado, AtivacaoRecusadaNaoMudaNada) {
  JanelaSimulada teimosa = janela(u"Teimosa", u"t.exe", 60);
  teimosa.recusaAtivacao = true;
  const JanelaId id = sim.adicionarJanela(teimosa);
  EXPECT_FALSE(sim.janelaAtivar(id));
  EXPECT_EQ(sim.janelaPrimeiroPlano(), JanelaId{7});
  EXPECT_EQ(sim.janelasEmOrdem().back(), id);
  EXPECT_EQ(sim.linhas(), (Linhas{"Desktop: janela não ativada \"Teimosa\""}));
}

TEST_F(DesktopSimulado, MoverEMaximizar) {
  const JanelaId notas = JanelaId{7};
  EXPECT_TRUE(sim.janelaMaximizar(notas));
  EXPECT_EQ(sim.janelaRetangulo(notas), (RetanguloJanela{0, 0, 1000, 800}));
  EXPECT_TRUE(sim.janela(notas)->maximizada);
  EXPECT_TRUE(sim.janelaMover(notas, {10, 20, 300, 200}));
  EXPECT_EQ(sim.janelaRetangulo(notas), (RetanguloJanela{10, 20, 300, 200}));
  EXPECT_FALSE(sim.janela(notas)->maximizada);
  EXPECT_FALSE(sim.janelaMover(JanelaId{12345}, {0, 0, 1, 1}));
  EXPECT_EQ(sim.linhas(), (Linhas{"Desktop: janela maximizada \"Sem título - Bloco de notas\"",
                                  "Desktop: janela movida \"Sem título - Bloco de notas\" 10,20 300x200"}));
}

TEST_F(DesktopSimulado, NumerosDeJanelaNuncaSeRepetem) {
  JanelaSimulada comNumeroOcupado = janela(u"Nova", u"n.exe", 70);
  comNumeroOcupado.id = JanelaId{7};
  JanelaSimulada comNumeroLivre = janela(u"Outra", u"o.exe", 71);
  comNumeroLivre.id = JanelaId{500};
  const JanelaId a = sim.adicionarJanela(comNumeroOcupado, /*naFrente=*/true);
  const JanelaId b = sim.adicionarJanela(comNumeroLivre);
  const JanelaId c = sim.adicionarJanela(janela(u"Terceira", u"t.exe", 72));
  EXPECT_NE(a, JanelaId{7});
  EXPECT_EQ(b, JanelaId{500});
  const std::vector<JanelaId> ids = sim.janelasEmOrdem();
  EXPECT_EQ(ids.front(), a);
  EXPECT_EQ(ids.back(), c);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_NE(ids[i], JanelaId::Nenhuma);
    for (std::size_t k = i + 1; k < ids.size(); ++k) EXPECT_NE(ids[i], ids[k]);
  }
  sim.removerJanela(JanelaId{7});
  EXPECT_EQ(sim.janelaPrimeiroPlano(), JanelaId::Nenhuma);
  EXPECT_EQ(sim.janelaPrimeiroPlanoTitulo(), u"");
}

TEST_F(DesktopSimulado, AreaDeTransferenciaGuardaTextoOuImagem) {
  EXPECT_EQ(sim.areaTransferenciaTexto(), u"inicial");
  EXPECT_TRUE(sim.areaTransferenciaDefinirTexto(u"linha 1\r\nlinha 2"));
  EXPECT_EQ(sim.areaTransferenciaTexto(), u"linha 1\r\nlinha 2");
  const ImagemPixels imagem{2, 1, {0xFFFF0000u, 0xFF00FF00u}};
  EXPECT_TRUE(sim.areaTransferenciaDefinirImagem(imagem));
  EXPECT_EQ(sim.areaTransferenciaImagem(), imagem);
  EXPECT_EQ(sim.areaTransferenciaTexto(), u"");  // a picture replaces the text
  EXPECT_TRUE(sim.areaTransferenciaDefinirTexto(u"x"));
  EXPECT_EQ(sim.areaTransferenciaImagem(), ImagemPixels{});
  EXPECT_EQ(sim.linhas(),
            (Linhas{"Desktop: área de transferência \"linha 1\\nlinha 2\"",
                    "Desktop: área de transferência imagem 2x1", "Desktop: área de transferência \"x\""}));
}

TEST_F(DesktopSimulado, AreaDeTransferenciaOcupadaRecusaAlgumasVezes) {
  sim.setAreaTransferenciaOcupada(2);
  EXPECT_EQ(sim.areaTransferenciaTexto(), std::nullopt);
  EXPECT_FALSE(sim.areaTransferenciaDefinirTexto(u"novo"));
  EXPECT_EQ(sim.areaTransferenciaTexto(), u"inicial");  // the refused write changed nothing
  EXPECT_TRUE(sim.areaTransferenciaDefinirTexto(u"novo"));
  EXPECT_EQ(sim.linhas(),
            (Linhas{"Desktop: área de transferência ocupada", "Desktop: área de transferência \"novo\""}));
}

TEST_F(DesktopSimulado, AbrirUmComandoConhecidoTrazSuaJanela) {
  AberturaSimulada calc{u"calc.exe", janela(u"Calculadora", u"calc.exe", 80)};
  sim.adicionarAbertura(calc);
  EXPECT_TRUE(sim.shellAbrir(u"https://exemplo.com.br"));
  EXPECT_EQ(sim.janelasEmOrdem().size(), 3u);  // nothing to bring up
  EXPECT_TRUE(sim.shellAbrir(u"CALC.EXE"));
  EXPECT_EQ(sim.janelaPrimeiroPlanoTitulo(), u"Calculadora");
  EXPECT_EQ(sim.janelasEmOrdem().front(), sim.janelaPrimeiroPlano());
  EXPECT_EQ(sim.janelaDoProcesso(80), sim.janelaPrimeiroPlano());
  EXPECT_EQ(sim.linhas(),
            (Linhas{"Desktop: abrir \"https://exemplo.com.br\"", "Desktop: abrir \"CALC.EXE\""}));
}

TEST_F(DesktopSimulado, ObservadorVeCadaLinhaNaHoraEDormirNaoEspera) {
  Linhas vistas;
  sim.setObservador([&](const std::string& linha) { vistas.push_back(linha); });
  std::vector<int> esperas;
  sim.setDormir([&](int ms) { esperas.push_back(ms); });
  sim.teclaPressionar(tecla::kEnter);
  EXPECT_EQ(vistas, (Linhas{"Desktop: tecla 13 baixo"}));  // at once, not at the end
  sim.dormir(100);
  sim.dormir(1);
  sim.teclaSoltar(tecla::kEnter);
  EXPECT_EQ(vistas, sim.linhas());
  EXPECT_EQ(esperas, (std::vector<int>{100, 1}));
  EXPECT_EQ(sim.msDormidos(), 101);
  sim.definirCenario({});  // a new scenario keeps the record and the callbacks
  sim.rodaGirar(120);
  EXPECT_EQ(vistas.size(), 3u);
  EXPECT_EQ(sim.linhas().size(), 3u);
  sim.limparRegistro();
  EXPECT_TRUE(sim.acoes().empty());
}

TEST(DesktopSimuladoVazio, ComecaSemJanelasEmTelaFullHd) {
  CLDesktopSimulado sim;
  EXPECT_EQ(sim.telaTamanho(), (TamanhoTela{1920, 1080}));
  EXPECT_TRUE(sim.janelasEmOrdem().empty());
  EXPECT_EQ(sim.janelaPrimeiroPlano(), JanelaId::Nenhuma);
  EXPECT_EQ(sim.janelaPorTitulo(u""), JanelaId::Nenhuma);
  EXPECT_EQ(sim.areaTransferenciaTexto(), u"");
  EXPECT_EQ(sim.pixelCor({0, 0}), corRgb(255, 255, 255));
  sim.dormir(50);  // no callback: nothing waits, nothing breaks
  EXPECT_EQ(sim.msDormidos(), 50);
}

TEST_F(DesktopSimulado, SoltarTudoSoltaOQueOScriptSeguraNaOrdemInversa) {
  sim.setTeclaEstado(tecla::kShift, true, false);  // the user holds Shift
  sim.teclaPressionar(tecla::kCtrl);
  sim.teclaPressionar('A');
  sim.botaoPressionar(BotaoMouse::Esquerdo);
  sim.teclaPressionar(tecla::kAlt);
  sim.teclaSoltar(tecla::kAlt);
  sim.teclaPressionar(tecla::kCtrl);  // pressed again: keeps its place
  sim.teclaPressionar(999);           // no key: nothing to hold
  EXPECT_EQ(sim.teclasSeguradas(), (std::vector<int>{tecla::kCtrl, 'A'}));
  EXPECT_EQ(sim.botoesSegurados(), std::vector<BotaoMouse>{BotaoMouse::Esquerdo});

  sim.limparRegistro();
  sim.soltarTudo();
  EXPECT_EQ(sim.linhas(),
            (Linhas{"Desktop: botão esquerdo cima", "Desktop: tecla 65 cima", "Desktop: tecla 17 cima"}));
  EXPECT_TRUE(sim.teclasSeguradas().empty());
  EXPECT_TRUE(sim.botoesSegurados().empty());
  for (int t : {int(tecla::kCtrl), int('A'), int(tecla::kBotaoEsquerdo)})
    EXPECT_EQ(sim.teclaEstado(t) & kTeclaPressionada, 0) << t;
  EXPECT_EQ(sim.teclaEstado(tecla::kShift) & kTeclaPressionada, kTeclaPressionada);  // the user's

  sim.limparRegistro();
  sim.soltarTudo();  // nothing held: nothing sent
  EXPECT_TRUE(sim.linhas().empty());
}
