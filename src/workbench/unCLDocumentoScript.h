#pragma once
// The script document of the workbench without the window: its name, path
// and saved state, the new-script template, reading a script file, the
// names it is saved and duplicated under, the info section, and what the
// config section asks of the window. The text itself lives in the editor.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace mivo {

// What the config section asks of the window when a run starts.
struct ConfigExecucao {
  bool executarMinimizado = false;  // "ocultar_janela=sim"
  bool fecharAoTerminar = false;    // "fechar_ao_terminar=sim"
  // The rest applies only when executarMinimizado is false.
  bool abaScript = true, abaDados = true, abaTexto = true;
  bool lista = true, detalheCelula = true;
};

// How the main tabs look after the hiding keys (config or pre-load).
struct AbasVisiveis {
  bool aba[3] = {true, true, true};  // "Script", "Dados", "Texto auxiliar"
  bool barraVisivel = true;          // false: one page shown without its header
  int abaAtiva = -1;                 // -1: the active page stays
};

// Why a script file could not be opened; texts in Portuguese.
struct LeituraScript {
  bool ok = false;
  QString caminho;  // the resolved path
  QString texto;    // the document, lines joined by "\n"
  QString erro;
};

class CLDocumentoScript {
 public:
  // Files larger than this are not taken for scripts.
  static constexpr qint64 kTamanhoMaximo = 32LL * 1024 * 1024;

  // --- State -----------------------------------------------------------------
  const QString& nome() const { return gNome; }       // pScriptName
  const QString& caminho() const { return gCaminho; } // pScriptPath
  bool salvo() const { return gSalvo; }               // gSalvo
  void setSalvo(bool valor) { gSalvo = valor; }
  bool semNome() const { return gNome.isEmpty(); }

  // After a successful open: name and path from the file.
  void abrir(const QString& caminho);
  // After the save window: a written file gives name and path and makes the
  // document saved; an empty result (cancelled or failed) keeps the former
  // name, path and saved state.
  void aplicarSalvamento(const QString& arquivoGravado);

  // "  Script: " + name + "  " ("Sem nome" for an unnamed script).
  QString legendaNome() const;
  // The caption after naming: only a caption that is still "Mivo" changes.
  QString tituloAposNomear(const QString& tituloAtual) const;
  // The name proposed by "Duplicar": name + " dd-MM-yy-" + hour, minute
  // and second without leading zeros.
  QString nomeDuplicata(const QDateTime& agora) const;

  // --- Files -----------------------------------------------------------------
  // The file name without its first ".mivo" (any case).
  static QString nomeDoCaminho(const QString& caminho);
  // A name typed by the user or given on the command line: an existing file
  // as given, otherwise resolved in "dados\scripts" with ".mivo".
  static QString resolverCaminho(const QString& nome);
  // Reads a script file: it must exist, be readable and hold text.
  static LeituraScript lerScript(const QString& nome);
  // The ".params" file beside a script: the path with its ".mivo" ending
  // (any case) replaced by ".params"; empty when the file name does not end
  // in ".mivo", so that it never names the script itself.
  static QString caminhoParametros(const QString& caminhoScript);

  // --- Sections --------------------------------------------------------------
  // The new-script template, line by line.
  static QStringList linhasNovoScript(const QDate& hoje);
  // The info memo: what stands between "##info" and "##info_fim".
  static QString lerInfo(const QString& documento);
  // The document with the info section replaced by `info` (or a new one in
  // front when a marker is missing).
  static QString gravarInfo(const QString& documento, const QString& info);
  // The config section ("##config", comments removed) read.
  static ConfigExecucao lerConfig(const QStringList& documento);
  // The tabs after the hiding keys: tabs hidden by `ocultar`, then the
  // "Script" or "Dados" page alone without its header when the other one is
  // hidden.
  static AbasVisiveis abasVisiveis(bool ocultarScript, bool ocultarDados, bool ocultarTexto);

 private:
  QString gNome;
  QString gCaminho;
  bool gSalvo = true;
};

}  // namespace mivo
