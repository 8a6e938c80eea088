#include "unCLRecentes.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "unCLProgresso.h"
#include "unUtil.h"

namespace mivo {

namespace {

constexpr int kMaxItensLidos = 15;

// The file's creation date where the file system keeps one, else its last
// change; the zero date of the register when the file cannot be found.
QString dataDeCriacao(const QString& caminho) {
  const QFileInfo info(caminho);
  if (!info.exists()) return dataCurtaBR(QDate(1899, 12, 30));
  QDateTime quando = info.birthTime();
  if (!quando.isValid()) quando = info.lastModified();
  return dataCurtaBR(quando.toLocalTime().date());
}

}  // namespace

CLRecentes::CLRecentes(QString arquivo) : gArquivoRegistro(std::move(arquivo)) {}

QString CLRecentes::arquivoPadrao() {
  return QDir(pastaBase()).filePath(QStringLiteral("recentfiles.txt"));
}

void CLRecentes::contarLinhas(ItemRecente& item) const {
  QString texto;
  if (QFileInfo(item.caminho).isFile() && lerArquivoTexto(item.caminho, texto))
    item.linhas = formatarContagem(dividirLinhas(texto).size());
  else
    item.linhas = QStringLiteral("erro");
}

void CLRecentes::recentesAdd(const QString& filename) {
  for (const ItemRecente& item : gItens)
    if (item.caminho == filename) {
      recentesUpdate(filename);
      return;
    }
  gItens.prepend({QFileInfo(filename).fileName(), QStringLiteral("0"), dataDeCriacao(filename),
                  filename});
  contarLinhas(gItens.first());
}

void CLRecentes::recentesUpdate(const QString& filename) {
  for (qsizetype i = 0; i < gItens.size(); ++i)
    if (gItens[i].caminho == filename) {
      gItens.removeAt(i);
      break;
    }
  gItens.prepend({QFileInfo(filename).fileName(), QStringLiteral("0"), dataCurtaBR(gHoje()),
                  filename});
  contarLinhas(gItens.first());
}

bool CLRecentes::recentesRemove(const QString& filename) {
  return gItens.removeIf([&](const ItemRecente& i) { return i.caminho == filename; }) > 0;
}

bool CLRecentes::recentesSave(QString* erro) const {
  QString texto;
  for (const ItemRecente& i : gItens)
    texto += i.nome + u';' + i.linhas + u';' + i.data + u';' + i.caminho + QLatin1String(";\r\n");
  return gravarArquivo(gArquivoRegistro, codificarTexto(texto), erro);
}

void CLRecentes::recentesLoad() {
  gItens.clear();
  QString texto;
  if (!lerArquivoTexto(gArquivoRegistro, texto)) return;
  const QStringList linhas = dividirLinhas(texto);
  for (qsizetype i = 0; i < linhas.size() && i < kMaxItensLidos; ++i) {
    const QStringList campos = linhas[i].split(u';');
    gItens.append({campos.value(0), campos.value(1), campos.value(2), campos.value(3)});
  }
}

}  // namespace mivo
