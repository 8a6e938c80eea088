// mivo-run.exe on the Windows desktop, end to end: whole scripts drive the
// system's Notepad (the window found by part of its title behind another
// one, typed and pasted accented text read back from its edit box) and click
// a point of a window's client area; the console output is UTF-8 with the
// system's line ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <string>

#include "unJanelaAlvo.h"

using namespace mivo::teste;

namespace {

struct Execucao {
  int codigo = -1;
  QByteArray saida;
  QByteArray erros;
};

// Runs `script` (written as UTF-8 into a folder of its own, which is also
// the base folder) with mivo-run.exe and the given options.
Execucao rodarMivoRun(const QString& script, const QStringList& opcoes = {}) {
  Execucao r;
  QTemporaryDir pasta;
  if (!pasta.isValid()) return r;
  const QString caminho = pasta.filePath(QStringLiteral("teste.mivo"));
  QFile arquivo(caminho);
  if (!arquivo.open(QIODevice::WriteOnly)) return r;
  arquivo.write(script.toUtf8());
  arquivo.close();
  QProcess processo;
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("MIVO_BASE_DIR"), pasta.path());
  processo.setProcessEnvironment(ambiente);
  processo.start(QStringLiteral(MIVO_RUN), QStringList(opcoes) << caminho);
  if (!processo.waitForFinished(60000)) {
    processo.kill();
    processo.waitForFinished(5000);
    r.erros = "mivo-run.exe não terminou em 60 s";
    return r;
  }
  r.codigo = processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
  r.saida = processo.readAllStandardOutput();
  r.erros = processo.readAllStandardError();
  return r;
}

std::u16string textoDe(HWND janela) {
  const auto tamanho = SendMessageW(janela, WM_GETTEXTLENGTH, 0, 0);
  std::u16string texto(size_t(tamanho) + 1, u'\0');
  const auto lidos = SendMessageW(janela, WM_GETTEXT, WPARAM(texto.size()), LPARAM(texto.data()));
  texto.resize(size_t(lidos));
  return texto;
}

std::string utf8(const std::u16string& texto) { return QString::fromStdU16String(texto).toStdString(); }

struct BuscaJanela {
  DWORD processo = 0;
  HWND achada = nullptr;
};

BOOL CALLBACK procurarJanelaDoProcesso(HWND janela, LPARAM dados) {
  auto* busca = reinterpret_cast<BuscaJanela*>(dados);
  DWORD dono = 0;
  GetWindowThreadProcessId(janela, &dono);
  if (dono == busca->processo && IsWindowVisible(janela) && GetWindow(janela, GW_OWNER) == nullptr) {
    busca->achada = janela;
    return FALSE;
  }
  return TRUE;
}

// The system's Notepad, started for one test and ended (unsaved) after it.
class BlocoDeNotas : public ::testing::Test {
 protected:
  void SetUp() override {
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    wchar_t linha[] = L"notepad.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, linha, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio, &processo))
        << "não foi possível abrir o notepad.exe";
    WaitForInputIdle(processo.hProcess, 15000);
    BuscaJanela busca{processo.dwProcessId};
    ASSERT_TRUE(esperarAte(
        [&] {
          EnumWindows(&procurarJanelaDoProcesso, LPARAM(&busca));
          return busca.achada != nullptr;
        },
        15000))
        << "a janela do Bloco de notas não apareceu";
    janela = busca.achada;
    edicao = FindWindowExW(janela, nullptr, L"Edit", nullptr);
    ASSERT_NE(edicao, nullptr) << "o Bloco de notas não tem caixa de edição";
    // A known place on the screen, away from the other windows of the tests.
    SetWindowPos(janela, nullptr, 300, 200, 500, 350, SWP_NOZORDER);
  }

  void TearDown() override {
    if (processo.hProcess) {
      TerminateProcess(processo.hProcess, 0);
      WaitForSingleObject(processo.hProcess, 10000);
      CloseHandle(processo.hProcess);
      CloseHandle(processo.hThread);
    }
  }

  PROCESS_INFORMATION processo{};
  HWND janela = nullptr;
  HWND edicao = nullptr;
};

TEST_F(BlocoDeNotas, AtivaPorParteDoTituloEDigitaEColaTextoAcentuado) {
  // Another window lies in front, and has the focus.
  OpcoesJanelaAlvo opcoes;
  opcoes.titulo = u"Outra janela";
  opcoes.retangulo = {250, 150, 850, 600};
  JanelaAlvo outra(opcoes);
  SetForegroundWindow(outra.hwnd());
  ASSERT_TRUE(esperarAte([&] { return GetForegroundWindow() == outra.hwnd(); }));
  const std::u16string titulo = textoDe(janela);
  ASSERT_GE(titulo.size(), 5u);
  // Part of the title, in other case: the last five letters, upper case.
  const QString trecho = QString::fromStdU16String(titulo.substr(titulo.size() - 5)).toUpper();

  const Execucao r = rodarMivoRun(QStringLiteral(
                                      "&JanelaAtivar(\"%1\").\n"
                                      "&SeResultado(FALHA;&MsgExibir(\"janela não ativada\")).\n"
                                      "&TextoDigitar(\"Olá, João! ação: ç ã õ ü\").\n"
                                      "&TeclarEnter().\n"
                                      "&TextoColar(\"Conceição — “aspas” 😀 fim\").\n")
                                      .arg(trecho),
                                  {QStringLiteral("--silencioso")});
  EXPECT_EQ(r.codigo, 0) << r.saida.toStdString() << r.erros.toStdString();
  EXPECT_FALSE(r.saida.contains("janela não ativada")) << r.saida.toStdString();
  EXPECT_EQ(GetForegroundWindow(), janela);
  // The keys pressed reach Notepad through its message queue, maybe after
  // mivo-run.exe has ended.
  const std::string esperado = "Olá, João! ação: ç ã õ ü\r\nConceição — “aspas” 😀 fim";
  esperarAte([&] { return utf8(textoDe(edicao)) == esperado; }, 5000);
  EXPECT_EQ(utf8(textoDe(edicao)), esperado);
}

// The click is the script's last statement: mivo-run.exe ends right after
// it, and the release must still reach the window.
TEST(MivoRunWin32, CliqueNumPontoDaAreaClienteDaJanela) {
  OpcoesJanelaAlvo opcoes;
  opcoes.titulo = u"Alvo do clique";
  opcoes.retangulo = {150, 120, 650, 520};
  JanelaAlvo alvo(opcoes);
  // The script finds the point from where the window is on the screen, as a
  // user would: a point of its client area, 37 pixels right and 21 down.
  POINT ponto{37, 21};
  ASSERT_TRUE(ClientToScreen(alvo.hwnd(), &ponto));
  const Execucao r = rodarMivoRun(QStringLiteral("&JanelaAtivar(\"do clique\").\n"
                                                 "&MouseClicarAcao(%1;%2).\n")
                                      .arg(ponto.x)
                                      .arg(ponto.y),
                                  {QStringLiteral("--silencioso")});
  EXPECT_EQ(r.codigo, 0) << r.saida.toStdString() << r.erros.toStdString();
  esperarAte([&] { return alvo.eventosMouse().size() >= 2; }, 5000);
  const std::vector<EventoMouse> eventos = alvo.eventosMouse();
  std::string vistos;
  for (const EventoMouse& e : eventos) {
    vistos += std::to_string(e.mensagem) + "@" + std::to_string(e.cliente.x) + "," + std::to_string(e.cliente.y) + " ";
  }
  ASSERT_EQ(eventos.size(), 2u) << vistos;
  EXPECT_EQ(eventos[0].mensagem, UINT(WM_LBUTTONDOWN));
  EXPECT_EQ(eventos[1].mensagem, UINT(WM_LBUTTONUP));
  for (const EventoMouse& e : eventos) {
    EXPECT_EQ(e.cliente.x, 37);
    EXPECT_EQ(e.cliente.y, 21);
  }
}

TEST(MivoRunWin32, SaidaEmUtf8ComAsQuebrasDeLinhaDoSistema) {
  const Execucao r = rodarMivoRun(QStringLiteral("&MsgExibir(\"Olá, ação! 😀\").\n&MsgExibir(\"fim\").\n"),
                                  {QStringLiteral("--simular"), QStringLiteral("--silencioso")});
  EXPECT_EQ(r.codigo, 0) << r.erros.toStdString();
  // The same bytes a console set to UTF-8 shows; lines end as Windows ends them.
  EXPECT_TRUE(r.saida.contains("Informação: Olá, ação! 😀\r\nInformação: fim\r\n")) << r.saida.toStdString();
  // Compared logically: the line ends taken away, the text is the same.
  QByteArray semCr = r.saida;
  semCr.replace("\r\n", "\n");
  EXPECT_FALSE(semCr.contains('\r'));
}

}  // namespace
