#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "unCLDesktopWin32.h"
#include "unJanelaAlvo.h"
#include "unJanelaWin32.h"
#include "unProgramaWin32.h"
#include "unTextoDesktop.h"

using namespace mivo;
using mivo::teste::esperarAte;

TEST(ProgramaWin32, DividirComando) {
  struct Caso {
    std::u16string comando;
    std::optional<ComandoDividido> esperado;
  };
  const std::vector<Caso> casos = {
      {u"notepad.exe", ComandoDividido{u"notepad.exe", u""}},
      {u"  notepad.exe   lista.txt  ", ComandoDividido{u"notepad.exe", u"lista.txt"}},
      {u"prog.exe -a \"b c\"", ComandoDividido{u"prog.exe", u"-a \"b c\""}},
      {u"\"C:\\Program Files\\Mivo\\mivo.exe\" novo",
       ComandoDividido{u"C:\\Program Files\\Mivo\\mivo.exe", u"novo"}},
      {u"\"C:\\sem fim.exe", ComandoDividido{u"C:\\sem fim.exe", u""}},
      {u"https://exemplo.com.br/ação", ComandoDividido{u"https://exemplo.com.br/ação", u""}},
      {u"", std::nullopt},
      {u"   \t ", std::nullopt},
      {u"\"\" x", std::nullopt},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(dividirComando(c.comando), c.esperado) << utf8DeUtf16(c.comando);
  }
}

TEST(ProgramaWin32, ListaIncluiEsteProgramaSemPasta) {
  wchar_t caminho[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, caminho, MAX_PATH);
  std::u16string nome(reinterpret_cast<const char16_t*>(caminho));
  nome = nome.substr(nome.find_last_of(u"\\/") + 1);

  const auto programas = listarProgramas();
  ASSERT_FALSE(programas.empty());
  bool achou = false;
  for (const auto& p : programas) {
    EXPECT_EQ(p.arquivo.find_first_of(u"\\/"), std::u16string::npos) << utf8DeUtf16(p.arquivo);
    if (p.processo == GetCurrentProcessId()) {
      achou = true;
      EXPECT_TRUE(iguaisIgnorandoCaixa(p.arquivo, nome)) << utf8DeUtf16(p.arquivo);
    }
  }
  EXPECT_TRUE(achou);
}

namespace {

std::optional<ProcessoId> processoDe(const CLDesktop& desktop, const std::u16string& nome,
                                     const std::vector<ProcessoId>& exceto) {
  for (const auto& p : desktop.programasEmExecucao()) {
    if (iguaisIgnorandoCaixa(p.arquivo, nome) &&
        std::find(exceto.begin(), exceto.end(), p.processo) == exceto.end()) {
      return p.processo;
    }
  }
  return std::nullopt;
}

// Ends a process this test started, even when a check failed half-way.
struct ProcessoIniciado {
  ProcessoId id = 0;
  ~ProcessoIniciado() {
    if (HANDLE h = id ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id) : nullptr) {
      TerminateProcess(h, 0);
      WaitForSingleObject(h, 5000);
      CloseHandle(h);
    }
  }
};

}  // namespace

// A program of the system, started through the shell, found by its file name
// in the process list, its window found by process, activated and typed into.
TEST(ProgramaWin32, AbreProgramaEAchaSuaJanela) {
  CLDesktopWin32 desktop;
  std::vector<ProcessoId> antes;
  for (const auto& p : desktop.programasEmExecucao()) antes.push_back(p.processo);

  ASSERT_TRUE(desktop.shellAbrir(u"notepad.exe"));
  ProcessoIniciado bloco;
  ASSERT_TRUE(esperarAte([&] {
    const auto id = processoDe(desktop, u"NOTEPAD.EXE", antes);
    if (id) bloco.id = *id;
    return id.has_value();
  }, 10000));

  JanelaId janela = JanelaId::Nenhuma;
  ASSERT_TRUE(esperarAte([&] {
    janela = desktop.janelaDoProcesso(bloco.id);
    return janela != JanelaId::Nenhuma;
  }, 10000));
  EXPECT_TRUE(iguaisIgnorandoCaixa(desktop.janelaExecutavel(janela), u"notepad.exe"));
  EXPECT_EQ(desktop.janelaPai(janela), JanelaId::Nenhuma);
  EXPECT_FALSE(desktop.janelaTitulo(janela).empty());

  ASSERT_TRUE(desktop.janelaAtivar(janela));
  ASSERT_TRUE(esperarAte([&] { return desktop.janelaPrimeiroPlano() == janela; }));
  HWND edicao = FindWindowExW(hwndDaJanela(janela), nullptr, L"Edit", nullptr);
  ASSERT_NE(edicao, nullptr);
  for (char32_t c : std::u32string(U"Olá, ação ✓")) desktop.caractereDigitar(c);
  EXPECT_TRUE(esperarAte([&] {
    wchar_t texto[64] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutW(edicao, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(texto), SMTO_ABORTIFHUNG,
                        1000, &n);
    return std::u16string(reinterpret_cast<const char16_t*>(texto)) == u"Olá, ação ✓";
  }));
}

TEST(ProgramaWin32, ShellRecusaSemJanelaDeErro) {
  CLDesktopWin32 desktop;
  for (const std::u16string comando : {u"", u"   ", u"c:\\não-existe\\mivo-nada.exe",
                                        u"mivo-arquivo-que-não-existe.xyz parametro"}) {
    EXPECT_FALSE(desktop.shellAbrir(comando)) << utf8DeUtf16(comando);
  }
}
