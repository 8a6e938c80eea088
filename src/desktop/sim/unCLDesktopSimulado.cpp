#include "unCLDesktopSimulado.h"

#include <algorithm>
#include <utility>

#include "unAcentos.h"
#include "unTextoDesktop.h"

namespace mivo {

namespace {

constexpr int kShift = 0x100;  // high byte of teclaDoCaractere: Shift needed

bool teclaValida(int tecla) { return tecla >= 0 && tecla < 256; }

int teclaDoBotao(BotaoMouse botao) {
  return botao == BotaoMouse::Esquerdo ? tecla::kBotaoEsquerdo : tecla::kBotaoDireito;
}

// Punctuation of the United States layout: the key, its character without
// and with Shift.
struct TeclaPontuacao {
  int tecla;
  char32_t normal;
  char32_t comShift;
};
constexpr TeclaPontuacao kPontuacao[] = {
    {0xBA, U';', U':'},  {0xBB, U'=', U'+'}, {0xBC, U',', U'<'},  {0xBD, U'-', U'_'},
    {0xBE, U'.', U'>'},  {0xBF, U'/', U'?'}, {0xC0, U'`', U'~'},  {0xDB, U'[', U'{'},
    {0xDC, U'\\', U'|'}, {0xDD, U']', U'}'}, {0xDE, U'\'', U'"'},
};
constexpr char32_t kDigitosComShift[] = U")!@#$%^&*(";

AcaoSimulada acao(TipoAcao tipo, int valor = 0, const std::u16string& texto = {}) {
  AcaoSimulada a;
  a.tipo = tipo;
  a.valor = valor;
  a.texto = texto;
  return a;
}

// An action on a window, which the record names by its title at that moment.
AcaoSimulada acaoJanela(TipoAcao tipo, const JanelaSimulada& janela) {
  AcaoSimulada a = acao(tipo, 0, janela.titulo);
  a.janela = janela.id;
  return a;
}

}  // namespace

CLDesktopSimulado::CLDesktopSimulado() : CLDesktopSimulado(CenarioSimulado{}) {}

CLDesktopSimulado::CLDesktopSimulado(const CenarioSimulado& cenario) { definirCenario(cenario); }

void CLDesktopSimulado::definirCenario(const CenarioSimulado& cenario) {
  gTela = cenario.tela;
  gCursor = cenario.cursor;
  gBotoesTrocados = cenario.botoesTrocados;
  gColagemIgnorada = cenario.colagemIgnorada;
  gPressionadas.fill(false);
  gLigadas.fill(false);
  gSeguradas.limpar();
  for (int t : cenario.teclasLigadas) {
    if (teclaValida(t)) gLigadas[t] = true;
  }
  gJanelas.clear();
  gProgramas.clear();
  // Numbers the scenario gives stay free for the windows that carry them.
  std::uint64_t maior = 0;
  for (const auto& j : cenario.janelas) maior = std::max(maior, static_cast<std::uint64_t>(j.id));
  gProximoId = maior + 1;
  for (const auto& j : cenario.janelas) adicionarJanela(j);
  for (const auto& p : cenario.programas) adicionarPrograma(p);
  const bool temFoco =
      cenario.primeiroPlano >= 0 && cenario.primeiroPlano < static_cast<int>(gJanelas.size());
  gPrimeiroPlano = temFoco ? gJanelas[cenario.primeiroPlano].id : JanelaId::Nenhuma;
  gCores = cenario.cores;
  gCorFundo = cenario.corFundo;
  gTexto = cenario.areaTransferencia;
  gImagem = {};
  gOcupadaVezes = 0;
  gAberturas = cenario.aberturas;
}

// --- Keyboard ----------------------------------------------------------------

void CLDesktopSimulado::mudarTecla(int tecla, bool pressionada) {
  if (!teclaValida(tecla)) return;
  // Every press of a key that was up switches its toggle, as Windows does.
  if (pressionada && !gPressionadas[tecla]) gLigadas[tecla] = !gLigadas[tecla];
  gPressionadas[tecla] = pressionada;
}

void CLDesktopSimulado::teclaPressionar(int tecla) {
  mudarTecla(tecla, true);
  if (teclaValida(tecla)) gSeguradas.tecla(tecla, true);
  registrar(acao(TipoAcao::TeclaPressionada, tecla));
}

void CLDesktopSimulado::teclaSoltar(int tecla) {
  mudarTecla(tecla, false);
  gSeguradas.tecla(tecla, false);
  registrar(acao(TipoAcao::TeclaSolta, tecla));
}

void CLDesktopSimulado::soltarTudo() {
  const std::vector<CLSeguradas::Item> itens = gSeguradas.itens();
  for (auto i = itens.rbegin(); i != itens.rend(); ++i) {
    if (i->botao)
      botaoSoltar(i->qual);
    else
      teclaSoltar(i->tecla);
  }
  gSeguradas.limpar();
}

int CLDesktopSimulado::teclaDoCaractere(char32_t c) const {
  if (c >= U'a' && c <= U'z') return static_cast<int>(c - U'a' + 'A');
  if (c >= U'A' && c <= U'Z') return kShift | static_cast<int>(c);
  if (c >= U'0' && c <= U'9') return static_cast<int>(c);
  for (int d = 0; d < 10; ++d) {
    if (kDigitosComShift[d] == c) return kShift | ('0' + d);
  }
  for (const auto& p : kPontuacao) {
    if (p.normal == c) return p.tecla;
    if (p.comShift == c) return kShift | p.tecla;
  }
  switch (c) {
    case U' ': return tecla::kEspaco;
    case U'\t': return tecla::kTab;
    case U'\r': return tecla::kEnter;
    case U'\n': return 0x200 | tecla::kEnter;  // Ctrl+Enter
    case U'\b': return 8;
    case 0x1B: return tecla::kEsc;
    default: return kSemTecla;
  }
}

TextoTecla CLDesktopSimulado::teclaTexto(int tecla, char32_t acento, bool modificadores) const {
  if (!teclaValida(tecla)) return {};
  const bool shift = modificadores && (gPressionadas[tecla::kShift] || gPressionadas[0xA0] || gPressionadas[0xA1]);
  const bool caps = modificadores && gLigadas[tecla::kCapsLock];
  char32_t c = 0;
  if (tecla >= 'A' && tecla <= 'Z') {
    c = static_cast<char32_t>(shift != caps ? tecla : tecla - 'A' + 'a');
  } else if (tecla >= '0' && tecla <= '9') {
    c = shift ? kDigitosComShift[tecla - '0'] : static_cast<char32_t>(tecla);
  } else if (tecla == tecla::kEspaco) {
    c = U' ';
  } else {
    for (const auto& p : kPontuacao) {
      if (p.tecla == tecla) c = shift ? p.comShift : p.normal;
    }
  }
  if (c == 0) return {};
  TextoTecla r;
  if (gTeclasMortas && (c == U'\'' || c == U'"' || c == U'`' || c == U'~' || c == U'^')) {
    r.acento = c;
  } else {
    r.texto = std::u16string(1, static_cast<char16_t>(c));
  }
  return aplicarAcento(acento, r);
}

int CLDesktopSimulado::teclaEstado(int tecla) const {
  if (!teclaValida(tecla)) return 0;
  return (gPressionadas[tecla] ? kTeclaPressionada : 0) | (gLigadas[tecla] ? kTeclaLigada : 0);
}

void CLDesktopSimulado::setTeclaEstado(int tecla, bool pressionada, bool ligada) {
  if (!teclaValida(tecla)) return;
  gPressionadas[tecla] = pressionada;
  gLigadas[tecla] = ligada;
}

void CLDesktopSimulado::caractereDigitar(char32_t caractere) {
  AcaoSimulada a = acao(TipoAcao::Caractere);
  a.caractere = caractere;
  registrar(std::move(a));
}

// --- Mouse and screen --------------------------------------------------------

void CLDesktopSimulado::cursorPosicionar(PontoTela ponto) {
  gCursor.x = std::clamp(ponto.x, 0, std::max(gTela.largura - 1, 0));
  gCursor.y = std::clamp(ponto.y, 0, std::max(gTela.altura - 1, 0));
  AcaoSimulada a = acao(TipoAcao::Cursor);
  a.ponto = ponto;
  registrar(std::move(a));
}

void CLDesktopSimulado::botaoPressionar(BotaoMouse botao) {
  mudarTecla(teclaDoBotao(botao), true);
  gSeguradas.botao(botao, true);
  AcaoSimulada a = acao(TipoAcao::BotaoPressionado);
  a.botao = botao;
  registrar(std::move(a));
}

void CLDesktopSimulado::botaoSoltar(BotaoMouse botao) {
  mudarTecla(teclaDoBotao(botao), false);
  gSeguradas.botao(botao, false);
  AcaoSimulada a = acao(TipoAcao::BotaoSolto);
  a.botao = botao;
  registrar(std::move(a));
}

void CLDesktopSimulado::rodaGirar(int delta) { registrar(acao(TipoAcao::Roda, delta)); }

CorTela CLDesktopSimulado::pixelCor(PontoTela ponto) const {
  if (!RetanguloJanela{0, 0, gTela.largura, gTela.altura}.contem(ponto)) return kCorInvalida;
  for (auto area = gCores.rbegin(); area != gCores.rend(); ++area) {
    if (area->retangulo.contem(ponto)) return area->cor;
  }
  return gCorFundo;
}

// --- Windows -----------------------------------------------------------------

const JanelaSimulada* CLDesktopSimulado::procurar(JanelaId id) const {
  if (id == JanelaId::Nenhuma) return nullptr;
  auto it = std::find_if(gJanelas.begin(), gJanelas.end(), [id](const auto& j) { return j.id == id; });
  return it == gJanelas.end() ? nullptr : &*it;
}

JanelaSimulada* CLDesktopSimulado::procurar(JanelaId id) {
  return const_cast<JanelaSimulada*>(std::as_const(*this).procurar(id));
}

const JanelaSimulada* CLDesktopSimulado::janela(JanelaId id) const { return procurar(id); }

bool CLDesktopSimulado::idLivre(JanelaId id) const {
  return id != JanelaId::Nenhuma && procurar(id) == nullptr;
}

JanelaId CLDesktopSimulado::novoId() {
  while (!idLivre(JanelaId{gProximoId})) ++gProximoId;
  return JanelaId{gProximoId++};
}

JanelaId CLDesktopSimulado::adicionarJanela(const JanelaSimulada& janela, bool naFrente) {
  JanelaSimulada nova = janela;
  if (!idLivre(nova.id)) nova.id = novoId();
  if (nova.processo != 0) adicionarPrograma({nova.executavel, nova.processo});
  gJanelas.insert(naFrente ? gJanelas.begin() : gJanelas.end(), nova);
  return nova.id;
}

void CLDesktopSimulado::removerJanela(JanelaId id) {
  std::erase_if(gJanelas, [id](const auto& j) { return j.id == id; });
  if (gPrimeiroPlano == id) gPrimeiroPlano = JanelaId::Nenhuma;
}

std::vector<JanelaId> CLDesktopSimulado::janelasEmOrdem() const {
  std::vector<JanelaId> ids;
  ids.reserve(gJanelas.size());
  for (const auto& j : gJanelas) ids.push_back(j.id);
  return ids;
}

std::u16string CLDesktopSimulado::janelaTitulo(JanelaId id) const {
  const auto* j = procurar(id);
  return j ? j->titulo : std::u16string();
}

RetanguloJanela CLDesktopSimulado::janelaRetangulo(JanelaId id) const {
  const auto* j = procurar(id);
  return j ? j->retangulo : RetanguloJanela{};
}

bool CLDesktopSimulado::janelaMinimizada(JanelaId id) const {
  const auto* j = procurar(id);
  return j && j->minimizada;
}

bool CLDesktopSimulado::janelaVisivel(JanelaId id) const {
  const auto* j = procurar(id);
  return j && j->visivel;
}

JanelaId CLDesktopSimulado::janelaPai(JanelaId id) const {
  const auto* j = procurar(id);
  return j ? j->pai : JanelaId::Nenhuma;
}

ProcessoId CLDesktopSimulado::janelaProcesso(JanelaId id) const {
  const auto* j = procurar(id);
  return j ? j->processo : 0;
}

void CLDesktopSimulado::trazerParaFrente(JanelaId id) {
  auto it = std::find_if(gJanelas.begin(), gJanelas.end(), [id](const auto& j) { return j.id == id; });
  if (it != gJanelas.end()) std::rotate(gJanelas.begin(), it, it + 1);
}

bool CLDesktopSimulado::janelaAtivar(JanelaId id) {
  auto* j = procurar(id);
  if (!j) return false;
  if (j->recusaAtivacao) {
    registrar(acaoJanela(TipoAcao::JanelaNaoAtivada, *j));
    return false;
  }
  j->minimizada = false;
  registrar(acaoJanela(TipoAcao::JanelaAtivada, *j));
  trazerParaFrente(id);  // invalidates j
  gPrimeiroPlano = id;
  return true;
}

bool CLDesktopSimulado::janelaMover(JanelaId id, const RetanguloJanela& retangulo) {
  auto* j = procurar(id);
  if (!j) return false;
  j->retangulo = retangulo;
  j->maximizada = false;
  AcaoSimulada a = acaoJanela(TipoAcao::JanelaMovida, *j);
  a.retangulo = retangulo;
  registrar(std::move(a));
  return true;
}

bool CLDesktopSimulado::janelaMaximizar(JanelaId id) {
  auto* j = procurar(id);
  if (!j) return false;
  j->retangulo = {0, 0, gTela.largura, gTela.altura};
  j->maximizada = true;
  j->minimizada = false;
  registrar(acaoJanela(TipoAcao::JanelaMaximizada, *j));
  return true;
}

void CLDesktopSimulado::adicionarPrograma(const ProgramaEmExecucao& programa) {
  const bool listado = std::any_of(gProgramas.begin(), gProgramas.end(),
                                   [&](const auto& p) { return p.processo == programa.processo; });
  if (!listado) gProgramas.push_back(programa);
}

// --- Clipboard, shell and time -----------------------------------------------

bool CLDesktopSimulado::ocupada() {
  if (gOcupadaVezes <= 0) return false;
  --gOcupadaVezes;
  return true;
}

std::optional<std::u16string> CLDesktopSimulado::areaTransferenciaTexto() {
  if (ocupada()) return std::nullopt;
  return gTexto;
}

void CLDesktopSimulado::setAreaTransferenciaTexto(const std::u16string& texto) {
  gTexto = texto;
  gImagem = {};
}

bool CLDesktopSimulado::areaTransferenciaDefinirTexto(const std::u16string& texto) {
  if (ocupada()) {
    registrar(acao(TipoAcao::AreaTransferenciaOcupada));
    return false;
  }
  setAreaTransferenciaTexto(texto);
  registrar(acao(TipoAcao::TextoCopiado, 0, texto));
  return true;
}

bool CLDesktopSimulado::areaTransferenciaDefinirImagem(const ImagemPixels& imagem) {
  if (ocupada()) {
    registrar(acao(TipoAcao::AreaTransferenciaOcupada));
    return false;
  }
  gImagem = imagem;
  gTexto.clear();
  AcaoSimulada a = acao(TipoAcao::ImagemCopiada);
  a.imagem = {imagem.largura, imagem.altura};
  registrar(std::move(a));
  return true;
}

bool CLDesktopSimulado::shellAbrir(const std::u16string& comando) {
  registrar(acao(TipoAcao::Abrir, 0, comando));
  for (const auto& abertura : gAberturas) {
    if (iguaisIgnorandoCaixa(abertura.comando, comando)) {
      gPrimeiroPlano = adicionarJanela(abertura.janela, /*naFrente=*/true);
      break;
    }
  }
  return true;
}

void CLDesktopSimulado::dormir(int ms) {
  gMsDormidos += std::max(ms, 0);
  if (gDormir) gDormir(ms);
}

// --- Record --------------------------------------------------------------------

void CLDesktopSimulado::registrar(AcaoSimulada acao) {
  gAcoes.push_back(std::move(acao));
  if (gObservador) gObservador(gAcoes.back().linha());
}

std::vector<std::string> CLDesktopSimulado::linhas() const {
  std::vector<std::string> r;
  r.reserve(gAcoes.size());
  for (const auto& a : gAcoes) r.push_back(a.linha());
  return r;
}

void CLDesktopSimulado::setObservador(std::function<void(const std::string&)> observador) {
  gObservador = std::move(observador);
}

void CLDesktopSimulado::setDormir(std::function<void(int)> dormir) { gDormir = std::move(dormir); }

}  // namespace mivo
