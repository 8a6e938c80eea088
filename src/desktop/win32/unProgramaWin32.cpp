#include "unProgramaWin32.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <tlhelp32.h>

namespace mivo {

namespace {

bool ehBranco(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view aparado(std::u16string_view texto) {
  while (!texto.empty() && ehBranco(texto.front())) texto.remove_prefix(1);
  while (!texto.empty() && ehBranco(texto.back())) texto.remove_suffix(1);
  return texto;
}

std::u16string nomeSemPasta(const wchar_t* caminho) {
  std::u16string nome(reinterpret_cast<const char16_t*>(caminho));
  const auto barra = nome.find_last_of(u"\\/");
  return barra == std::u16string::npos ? nome : nome.substr(barra + 1);
}

// COM set up on this thread for the shell's extensions, as the shell asks;
// left alone when the thread already has it in another mode.
class ComDaThread {
 public:
  ComDaThread()
      : gIniciado(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED |
                                                        COINIT_DISABLE_OLE1DDE))) {}
  ~ComDaThread() {
    if (gIniciado) CoUninitialize();
  }
  ComDaThread(const ComDaThread&) = delete;
  ComDaThread& operator=(const ComDaThread&) = delete;

 private:
  bool gIniciado;
};

}  // namespace

std::vector<ProgramaEmExecucao> listarProgramas() {
  std::vector<ProgramaEmExecucao> programas;
  HANDLE foto = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (foto == INVALID_HANDLE_VALUE) return programas;
  PROCESSENTRY32W entrada{};
  entrada.dwSize = sizeof(entrada);
  for (BOOL ha = Process32FirstW(foto, &entrada); ha; ha = Process32NextW(foto, &entrada)) {
    programas.push_back({nomeSemPasta(entrada.szExeFile), entrada.th32ProcessID});
  }
  CloseHandle(foto);
  return programas;
}

std::optional<ComandoDividido> dividirComando(std::u16string_view comando) {
  comando = aparado(comando);
  if (comando.empty()) return std::nullopt;
  ComandoDividido dividido;
  if (comando.front() == u'"') {
    const auto fim = comando.find(u'"', 1);
    if (fim == std::u16string_view::npos) {
      dividido.arquivo = std::u16string(comando.substr(1));
    } else {
      dividido.arquivo = std::u16string(comando.substr(1, fim - 1));
      dividido.parametros = std::u16string(aparado(comando.substr(fim + 1)));
    }
  } else {
    std::size_t fim = 0;
    while (fim < comando.size() && !ehBranco(comando[fim])) ++fim;
    dividido.arquivo = std::u16string(comando.substr(0, fim));
    dividido.parametros = std::u16string(aparado(comando.substr(fim)));
  }
  if (aparado(dividido.arquivo).empty()) return std::nullopt;
  return dividido;
}

bool abrirNoShell(const std::u16string& arquivo, const std::u16string& parametros) {
  if (aparado(arquivo).empty()) return false;
  ComDaThread com;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpVerb = L"open";
  info.lpFile = reinterpret_cast<const wchar_t*>(arquivo.c_str());
  info.lpParameters =
      parametros.empty() ? nullptr : reinterpret_cast<const wchar_t*>(parametros.c_str());
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

}  // namespace mivo
