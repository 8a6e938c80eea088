#include "unReferencia.h"

#include <QFile>
#include <QList>
#include <QStringList>

namespace mivo {

namespace {

// Where src/interpreter/CMakeLists.txt places docs/funcoes.md.
const QString kRecurso = QStringLiteral(":/mivo/docs/funcoes.md");

const QString& textoCompleto() {
  static const QString texto = [] {
    QFile arquivo(kRecurso);
    if (!arquivo.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(arquivo.readAll());
  }();
  return texto;
}

struct Secao {
  QString nome;   // the display name after "### "
  QString texto;  // the heading line and everything up to the next heading
};

bool cerca(const QString& linha) { return linha.trimmed().startsWith(QLatin1String("```")); }

// The function sections: each "### " heading outside a fenced block, up to
// the next heading of level two or three outside a fenced block (or the end).
QList<Secao> secoes(const QString& texto) {
  QList<Secao> lista;
  bool emCerca = false;
  bool dentro = false;
  QStringList linhas;
  auto fechar = [&] {
    if (!dentro) return;
    while (!linhas.isEmpty() && linhas.constLast().trimmed().isEmpty()) linhas.removeLast();
    lista.last().texto = linhas.join(u'\n');
    linhas.clear();
    dentro = false;
  };
  for (const QString& linha : texto.split(u'\n')) {
    const QString l = linha.endsWith(u'\r') ? linha.chopped(1) : linha;
    if (!emCerca && (l.startsWith(QLatin1String("## ")) || l.startsWith(QLatin1String("### ")))) {
      fechar();
      if (l.startsWith(QLatin1String("### "))) {
        lista.append({l.mid(4).trimmed(), {}});
        dentro = true;
      }
    }
    if (cerca(l)) emCerca = !emCerca;
    if (dentro) linhas.append(l);
  }
  fechar();
  return lista;
}

}  // namespace

QString textoReferencia(const QString& filtro) {
  const QString& texto = textoCompleto();
  if (texto.isEmpty()) return QStringLiteral("A referência das funções não está disponível nesta instalação.\n");
  const QString procurado = filtro.trimmed();
  if (procurado.isEmpty()) return texto;
  QStringList achadas;
  for (const Secao& s : secoes(texto))
    if (s.nome.contains(procurado, Qt::CaseInsensitive)) achadas.append(s.texto);
  if (achadas.isEmpty()) return QStringLiteral("Nenhuma função tem \"%1\" no nome.\n").arg(procurado);
  return achadas.join(QLatin1String("\n\n")) + u'\n';
}

}  // namespace mivo
