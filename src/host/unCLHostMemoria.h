#pragma once
// A host that keeps everything in memory: the log, the editor's text, the
// data table, the auxiliary text, the run flags and a real or virtual clock.
// Dialogs are quiet. The console host of the headless runner and the hosts
// of the tests build on it; the workbench implements the interface itself.

#include <QList>
#include <functional>
#include <memory>

#include "unCLHost.h"
#include "unCLRelogio.h"

namespace mivo {

struct EntradaLog {
  QString texto;
  CorLog cor = CorLog::Texto;
  bool cortada = false;  // reached kMaxCaracteresEntradaLog: nothing more is added
};

// The log keeps the last entries only, each one at most this long (a cut
// entry ends with "…"); whoever needs more streams them as they come.
inline constexpr qsizetype kMaxEntradasLog = 1000;
inline constexpr qsizetype kMaxCaracteresEntradaLog = 10000;

// Creates the desktop when a script first needs it: the desktop, or null
// with the reason in `erro`.
using FabricaDesktopHost = std::function<std::unique_ptr<CLDesktop>(QString& erro)>;

class CLHostMemoria : public CLHost {
 public:
  explicit CLHostMemoria(bool relogioVirtual = false);
  ~CLHostMemoria() override;
  CLHostMemoria(const CLHostMemoria&) = delete;
  CLHostMemoria& operator=(const CLHostMemoria&) = delete;

  // The desktop this host drives: given now, or created by `fabrica` on
  // first use. Without either, a script that needs it ends with an error.
  void setDesktop(std::unique_ptr<CLDesktop> desktop);
  void setFabricaDesktop(FabricaDesktopHost fabrica) { gFabrica = std::move(fabrica); }
  bool temDesktop() const { return gDesktop != nullptr; }

  // The last kMaxEntradasLog entries, the oldest first.
  const QList<EntradaLog>& log() const { return gLog; }
  virtual void limparLog() { gLog.clear(); }
  CLRelogio& relogio() { return gRelogio; }
  void setDebugAtivo(bool valor) { gDebug = valor; }
  QString prelistaFile() const { return gPrelistaFile; }
  QString preTextoFile() const { return gPreTextoFile; }
  QString textoAberto() const { return gTextoAberto; }

  bool registraLog() const override { return true; }
  void setLogGeral(const QString& mensagem, CorLog cor) override;
  void editLogGeral(const QString& textoadd) override;
  void instrucaoConcluida() override {}

  void mostrarInformacao(const QString&) override {}
  void mostrarErro(const QString&) override {}
  RespostaSimNao perguntarSimNao(const QString&) override { return RespostaSimNao::Nao; }
  void exibirDica(const QString& identificador, const QString& texto, int altura) override;
  QString pedirValor(const QString&, const QString&) override { return {}; }
  void mostrarMensagem(const QString&) override {}
  void mostrarErroNaoTratado(const QString&) override {}
  void mostrarAviso(const QString& texto) override { gAvisos.append(texto); }
  const QStringList& avisos() const { return gAvisos; }

  void mostrarPasso(const QString&) override {}
  void esconderPasso() override {}

  void editorSeguir(int) override {}
  QString editorTexto() const override { return gTextoEditor; }
  void setEditorTexto(const QString& texto) override { gTextoEditor = texto; }
  void salvarScript() override {}

  CLDesktop& desktop() override;
  void soltarTudo() override;
  bool lerImagem(const QString& caminho, ImagemPixels& imagem, QString& erro) override;

  CLLista& lista() override;
  void showStatus(const CLGrade&) override {}
  void ajustarColunas() override {}
  void setPrelistaFile(const QString& caminho) override { gPrelistaFile = caminho; }

  QStringList textoAuxiliarLinhas() const override { return gTextoAuxiliar; }
  void setTextoAuxiliarLinhas(const QStringList& linhas) override { gTextoAuxiliar = linhas; }
  void registrarTextoAberto(const QString& caminho) override { gTextoAberto = caminho; }
  void setPreTextoFile(const QString& caminho) override { gPreTextoFile = caminho; }

  QString getBestPath(const QString& nome, const QString& pasta, const QString& extensao) override;

  void bombearEventos() override {}
  qint64 agoraMs() override { return gRelogio.agoraMs(); }
  void dormir(qint64 ms) override { gRelogio.dormir(ms); }
  QDateTime dataHora() override { return gRelogio.dataHora(); }

  bool parar() const override { return gParar; }
  void setParar(bool valor) override { gParar = valor; }
  void encerrarExecucao() override;
  bool debugAtivo() const override { return gDebug; }
  StatusExecucao statusExecucao() const override { return gStatus; }
  void setStatusExecucao(StatusExecucao status) override { gStatus = status; }

  void selecionarAbaPrincipal(int) override {}
  void selecionarAbaScript(int) override {}

 protected:
  // Shows a tip that the user has not switched off (quiet here).
  virtual void mostrarDica(const QString& identificador, const QString& texto, int altura) {}

 private:
  CLRelogio gRelogio;
  std::unique_ptr<CLDesktop> gDesktop;
  FabricaDesktopHost gFabrica;
  std::unique_ptr<CLLista> gLista;
  QStringList gTextoAuxiliar;
  QString gTextoAberto, gPrelistaFile, gPreTextoFile;
  QList<EntradaLog> gLog;
  QString gTextoEditor;
  QStringList gAvisos;
  StatusExecucao gStatus = StatusExecucao::Inativo;
  bool gParar = false;
  bool gDebug = false;
};

}  // namespace mivo
