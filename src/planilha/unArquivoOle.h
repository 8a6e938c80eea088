#pragma once
// The streams of an OLE2 compound file, the container of Excel 97-2003
// workbooks (.xls). Every sector a chain names is checked against the file
// and every chain is bounded by the number of sectors the file really has,
// so a crafted container can neither loop nor make the reader hold more than
// the file itself.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <vector>

namespace mivo {

class CLArquivoOle {
 public:
  CLArquivoOle() = default;
  CLArquivoOle(const CLArquivoOle&) = delete;
  CLArquivoOle& operator=(const CLArquivoOle&) = delete;

  // Reads the header, the allocation tables and the directory; false with a
  // Portuguese reason.
  bool abrir(const QString& caminho, QString& erro);
  // Whether a stream of this name exists (names compared without regard to
  // letter case, as the format does).
  bool existe(const QString& nome) const;
  // The whole stream; false with `erro` when it is damaged or longer than
  // `limite`.
  bool lerFluxo(const QString& nome, qint64 limite, QByteArray& dados, QString& erro);

 private:
  struct Entrada {
    QString nome;
    int tipo = 0;  // 1 storage, 2 stream, 5 root
    quint32 inicio = 0;
    quint64 tamanho = 0;
  };
  const uchar* setor(quint32 numero, qsizetype& tamanho) const;
  bool cadeia(const std::vector<quint32>& tabela, quint32 inicio, std::vector<quint32>& setores) const;
  bool lerCadeia(quint32 inicio, quint64 tamanho, QByteArray& dados) const;
  const Entrada* entrada(const QString& nome) const;

  QFile gArquivo;
  QByteArray gCopia;             // the file, when it cannot be mapped
  const uchar* gDados = nullptr;
  qint64 gTamanho = 0;
  int gDeslocSetor = 9;          // sectors of 1 << gDeslocSetor bytes
  int gDeslocMini = 6;
  quint32 gCorteMini = 4096;     // smaller streams live in the mini stream
  quint32 gSetores = 0;          // sectors the file holds after its header
  std::vector<quint32> gFat, gFatMini;
  QList<Entrada> gEntradas;
  QByteArray gFluxoMini;
  bool gMiniLido = false;
};

}  // namespace mivo
