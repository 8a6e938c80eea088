#pragma once
// The register of recently used list files, "recentfiles.txt" in the base
// folder: one entry per line, newest first, each as "name;lines;date;path;".

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

namespace mivo {

struct ItemRecente {
  QString nome;     // file name shown as the caption
  QString linhas;   // line count as shown ("#,##"), or "erro"
  QString data;     // dd/MM/yyyy
  QString caminho;  // full path
};

class CLRecentes {
 public:
  // The register file defaults to "recentfiles.txt" in the base folder.
  explicit CLRecentes(QString arquivo = arquivoPadrao());
  static QString arquivoPadrao();

  const QList<ItemRecente>& itens() const { return gItens; }
  const QString& arquivo() const { return gArquivoRegistro; }

  // A path already registered (compared exactly) moves to the top with
  // today's date; a new one goes to the top with its file's creation date
  // (30/12/1899 when the file cannot be found). The line count is taken
  // from the file either way.
  void recentesAdd(const QString& filename);
  void recentesUpdate(const QString& filename);
  // Removes every entry with this path; false when there was none.
  bool recentesRemove(const QString& filename);
  // Rewrites the register file with all entries in order.
  bool recentesSave(QString* erro = nullptr) const;
  // Replaces the entries by the first 15 lines of the register file; a
  // missing or unreadable file leaves the register empty.
  void recentesLoad();

  // The date used for "today" (the system date unless a test sets another).
  void setHoje(std::function<QDate()> hoje) { gHoje = std::move(hoje); }

 private:
  void contarLinhas(ItemRecente& item) const;

  QString gArquivoRegistro;
  QList<ItemRecente> gItens;
  std::function<QDate()> gHoje = [] { return QDate::currentDate(); };
};

}  // namespace mivo
