#pragma once
// Where markers and block definitions stand in the script. A jump searches
// the lines as they stand now; the index is rebuilt whenever the list of
// lines changed (the engine holds a shared copy, so any change to the list
// detaches it and shows up as a different data pointer).

#include <QHash>
#include <QStringList>

namespace mivo {

class CLIndiceRotulos {
 public:
  // Index of the LAST line holding "&marcador(" + rotulo + ")" or
  // "&marcador(\"" + rotulo + "\")", ignoring letter case; -1 when none.
  int ultimoMarcador(const QStringList& linhas, const QString& rotulo);
  // Index of the FIRST line holding "&bloco[" + nome + "]" or
  // "&bloco[\"" + nome + "\"]", ignoring letter case; -1 when none.
  int primeiroBloco(const QStringList& linhas, const QString& nome);

 private:
  struct Posicoes {
    int primeira = -1;
    int ultima = -1;
  };
  using Tabela = QHash<QString, Posicoes>;

  // Searches line by line: for names the index cannot key (holding the
  // closing character or a double quote).
  static int procurarNasLinhas(const QStringList& linhas, const QString& alvo1, const QString& alvo2,
                               bool ultima);
  void atualizar(const QStringList& linhas);
  static void registrar(Tabela& t, const QString& minuscula, const QString& abertura, QChar fecha,
                        int linha);

  QStringList gLinhas;  // shared copy of the list the index was built from
  // The last name looked up and its answer: a loop jumps to the same marker
  // again and again.
  QString gUltimoRotulo;
  int gUltimoMarcador = -1;
  bool gValido = false;
  Tabela gMarcadores;
  Tabela gBlocos;
};

}  // namespace mivo
