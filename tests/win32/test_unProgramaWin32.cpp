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

// A notepad that this test started: found among the programs by its file
// name (a process that was not there before), its window by its process, and
// ended when the test is done, even when a check failed half-way.
class NotepadIniciado {
 public:
  explicit NotepadIniciado(CLDesktopWin32& desktop) : gDesktop(desktop) {
    for (const auto& p : desktop.programasEmExecucao()) gAntes.push_back(p.processo);
  }
  ~NotepadIniciado() {
    if (HANDLE h = gId ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, gId) : nullptr) {
      TerminateProcess(h, 0);
      WaitForSingleObject(h, 5000);
      CloseHandle(h);
    }
  }
  NotepadIniciado(const NotepadIniciado&) = delete;
  NotepadIniciado& operator=(const NotepadIniciado&) = delete;

  // The new notepad's window; Nenhuma when none came up in time.
  JanelaId esperarJanela() {
    esperarAte([&] {
      for (const auto& p : gDesktop.programasEmExecucao()) {
        if (iguaisIgnorandoCaixa(p.arquivo, u"NOTEPAD.EXE") &&
            std::find(gAntes.begin(), gAntes.end(), p.processo) == gAntes.end()) {
          gId = p.processo;
        }
      }
      return gId != 0;
    }, 10000);
    JanelaId janela = JanelaId::Nenhuma;
    if (gId) {
      esperarAte([&] {
        janela = gDesktop.janelaDoProcesso(gId);
        return janela != JanelaId::Nenhuma;
      }, 10000);
    }
    return janela;
  }

 private:
  CLDesktopWin32& gDesktop;
  std::vector<ProcessoId> gAntes;
  ProcessoId gId = 0;
};

std::u16string textoDaEdicao(JanelaId janela) {
  HWND edicao = FindWindowExW(hwndDaJanela(janela), nullptr, L"Edit", nullptr);
  wchar_t texto[256] = {};
  DWORD_PTR n = 0;
  if (!edicao || !SendMessageTimeoutW(edicao, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(texto),
                                      SMTO_ABORTIFHUNG, 1000, &n)) {
    return {};
  }
  return std::u16string(reinterpret_cast<const char16_t*>(texto), n);
}

// A text document in a folder whose name has blanks, of a type the system
// opens with its text editor (Wine associates ".ini" with notepad, but not
// ".txt").
std::u16string criarDocumento(const std::string& conteudo) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring pasta = std::wstring(temp) + L"pasta do mivo";
  CreateDirectoryW(pasta.c_str(), nullptr);
  const std::wstring caminho = pasta + L"\\lista mivo.ini";
  HANDLE h = CreateFileW(caminho.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD escritos = 0;
  WriteFile(h, conteudo.data(), static_cast<DWORD>(conteudo.size()), &escritos, nullptr);
  CloseHandle(h);
  return std::u16string(reinterpret_cast<const char16_t*>(caminho.c_str()));
}

}  // namespace

// A program of the system started through the shell, found by its file name
// in the process list and its window by process, activated and typed into.
TEST(ProgramaWin32, AbreProgramaEAchaSuaJanela) {
  CLDesktopWin32 desktop;
  NotepadIniciado notepad(desktop);
  ASSERT_TRUE(desktop.shellAbrir(u"notepad.exe"));
  const JanelaId janela = notepad.esperarJanela();
  ASSERT_NE(janela, JanelaId::Nenhuma);
  EXPECT_TRUE(iguaisIgnorandoCaixa(desktop.janelaExecutavel(janela), u"notepad.exe"));
  EXPECT_EQ(desktop.janelaPai(janela), JanelaId::Nenhuma);
  EXPECT_FALSE(desktop.janelaTitulo(janela).empty());

  ASSERT_TRUE(desktop.janelaAtivar(janela));
  ASSERT_TRUE(esperarAte([&] { return desktop.janelaPrimeiroPlano() == janela; }));
  for (char32_t c : std::u32string(U"Olá, ação ✓")) desktop.caractereDigitar(c);
  EXPECT_TRUE(esperarAte([&] { return textoDaEdicao(janela) == u"Olá, ação ✓"; }))
      << utf8DeUtf16(textoDaEdicao(janela));
}

// A document opens in its program, written as a bare path with blanks, as a
// quoted path, or as the program's parameter.
TEST(ProgramaWin32, AbreDocumento) {
  const std::u16string documento = criarDocumento("linha de teste do mivo");
  const std::vector<std::u16string> comandos = {
      documento,
      u"  \"" + documento + u"\"  ",
      u"notepad.exe \"" + documento + u"\"",
  };
  CLDesktopWin32 desktop;
  for (const auto& comando : comandos) {
    NotepadIniciado notepad(desktop);
    ASSERT_TRUE(desktop.shellAbrir(comando)) << utf8DeUtf16(comando);
    const JanelaId janela = notepad.esperarJanela();
    ASSERT_NE(janela, JanelaId::Nenhuma) << utf8DeUtf16(comando);
    EXPECT_TRUE(esperarAte([&] {
      return desktop.janelaTitulo(janela).find(u"lista mivo") != std::u16string::npos;
    })) << utf8DeUtf16(desktop.janelaTitulo(janela));
    EXPECT_TRUE(esperarAte([&] { return textoDaEdicao(janela) == u"linha de teste do mivo"; }))
        << utf8DeUtf16(comando) << " -> " << utf8DeUtf16(textoDaEdicao(janela));
  }
}

TEST(ProgramaWin32, ShellRecusaSemJanelaDeErro) {
  CLDesktopWin32 desktop;
  for (const std::u16string comando : {u"", u"   ", u"c:\\não-existe\\mivo-nada.exe",
                                        u"mivo-arquivo-que-não-existe.xyz parametro"}) {
    EXPECT_FALSE(desktop.shellAbrir(comando)) << utf8DeUtf16(comando);
  }
}
