#include "unArquivoLista.h"

#include <QSaveFile>
#include <QStringEncoder>

#include <algorithm>

#include "unCLGrade.h"
#include "unCLLeitorLista.h"
#include "unCLProgresso.h"
#include "unUtil.h"

namespace mivo {

QChar escolherDelimitador(const QString& primeiraLinha) {
  for (QChar d : {QChar(u';'), QChar(u'\t'), QChar(u',')})
    if (primeiraLinha.contains(d)) return d;
  return {};
}

QStringList dividirCampos(const QString& linha, QChar delimitador) {
  QStringList campos;
  CLLeitorLista leitor;
  leitor.fixarDelimitador(delimitador);
  leitor.lerTexto(linha, [&](const QList<CampoLista>& lidos) {
    for (const CampoLista& c : lidos) campos.append(aparar(c.texto.toString()));
    return false;
  });
  return campos;
}

std::optional<QString> gradeParaTexto(const CLGrade& grade, CLProgresso* progresso, int passo,
                                      const QString& operacao) {
  passo = std::max(passo, 1);
  const int total = grade.RowCount();
  if (progresso)
    progresso->progressoAbrir(operacao, (total - 1) / passo,
                              QStringLiteral("Total de registros: ") + formatarContagem(total - 1),
                              QString(), QString());
  QString texto;
  for (int r = 0; r < total; ++r) {
    if (progresso && r % passo == 0)
      progresso->progressoPasso(QStringLiteral("Processados: ") + formatarContagem(r));
    anexarLinhaDaGrade(texto, grade, r);
    if (!progresso) continue;
    if ((r + 1) % passo == 0)
      progresso->progressoLegenda3(QStringLiteral("Copiados: ") + formatarContagem(r + 1));
    if (progresso->progressoCancelado()) {
      progresso->progressoFechar();
      return std::nullopt;
    }
  }
  if (progresso) {
    progresso->progressoLegenda3(QStringLiteral("Copiados: ") + formatarContagem(total));
    progresso->progressoFechar();
  }
  return texto;
}

Desfecho salvarGrade(const CLGrade& grade, const QString& caminho, CLProgresso* progresso, int passo,
                     QString* erro) {
  passo = std::max(passo, 1);
  const int total = grade.RowCount();
  // The encoding codificarTexto would choose for the whole text: the cells
  // in order (the first as written, since the file starts with it), the
  // separators and quotes between them being ASCII.
  CLCodificacaoTexto codificacao;
  const QString primeiroCampo = campoParaArquivo(grade.cell(0, 0), {true, grade.ColCount() == 1});
  for (int r = 0; r < total && codificacao.podeSerWindows1252(); ++r)
    for (int c = 0; c < grade.ColCount() && codificacao.podeSerWindows1252(); ++c)
      codificacao.anexar(r == 0 && c == 0 ? QStringView(primeiroCampo) : grade.celula(c, r));
  const bool cabe = codificacao.windows1252();

  QSaveFile arquivo(caminho);
  auto falhou = [&] {
    if (erro) *erro = QStringLiteral("Não foi possível gravar o arquivo \"%1\"").arg(caminho);
    if (progresso) progresso->progressoFechar();
    return Desfecho::Falhou;
  };
  if (nomeReservadoNoWindows(caminho) || !arquivo.open(QIODevice::WriteOnly)) return falhou();
  if (progresso)
    progresso->progressoAbrir(QStringLiteral("Preparando dados..."), (total - 1) / passo,
                              QStringLiteral("Total de registros: ") + formatarContagem(total - 1),
                              QString(), QString());
  constexpr qsizetype kBloco = 1 << 20;
  QByteArray bytes = cabe ? QByteArray() : QByteArray("\xEF\xBB\xBF");
  // Room for a block, or for the whole table when it is small (a small save
  // should not ask the system for a megabyte every time).
  bytes.reserve(std::min<qint64>(kBloco + 4096, qint64(total) * (grade.ColCount() + 1) * 16 + 64));
  QStringEncoder utf8(QStringConverter::Utf8);
  QString linha;
  for (int r = 0; r < total; ++r) {
    if (progresso && r % passo == 0)
      progresso->progressoPasso(QStringLiteral("Processados: ") + formatarContagem(r));
    linha.resize(0);  // keeps its memory for the next row
    anexarLinhaDaGrade(linha, grade, r);
    if (cabe) {
      anexarWindows1252(linha, bytes);
    } else {
      const qsizetype antes = bytes.size();
      bytes.resize(antes + utf8.requiredSpace(linha.size()));
      char* fim = utf8.appendToBuffer(bytes.data() + antes, linha);
      bytes.resize(fim - bytes.constData());
    }
    if (bytes.size() >= kBloco) {
      if (arquivo.write(bytes) != bytes.size()) return falhou();
      bytes.resize(0);  // the memory stays for the next block
    }
    if (!progresso) continue;
    if ((r + 1) % passo == 0)
      progresso->progressoLegenda3(QStringLiteral("Copiados: ") + formatarContagem(r + 1));
    if (progresso->progressoCancelado()) {
      arquivo.cancelWriting();
      progresso->progressoFechar();
      return Desfecho::Cancelado;
    }
  }
  if (arquivo.write(bytes) != bytes.size() || !arquivo.commit()) return falhou();
  if (progresso) {
    progresso->progressoLegenda3(QStringLiteral("Copiados: ") + formatarContagem(total));
    progresso->progressoFechar();
  }
  return Desfecho::Concluido;
}

bool gravarLista(const QString& caminho, const QString& texto, QString* erro) {
  return gravarArquivo(caminho, codificarTexto(texto), erro);
}

bool precisaDeAspas(QStringView celula, PosicaoCampo posicao) {
  if (celula.isEmpty()) return posicao.colunaUnica;
  if (celula.front().unicode() <= 0x20 || celula.back().unicode() <= 0x20 || celula.front() == u'"') return true;
  const bool virgula = posicao.titulo || posicao.colunaUnica;
  for (const QChar c : celula) {
    switch (c.unicode()) {
      case u';':
      case u'\r':
      case u'\n': return true;
      case u',':
        if (virgula) return true;
        break;
      case u'\t':
        if (posicao.colunaUnica) return true;
        break;
      default: break;
    }
  }
  return false;
}

void anexarCampo(QString& linha, QStringView celula, PosicaoCampo posicao) {
  if (!precisaDeAspas(celula, posicao)) {
    linha += celula;
    return;
  }
  linha += u'"';
  for (const QChar c : celula) {
    if (c == u'"') linha += u'"';
    linha += c;
  }
  linha += u'"';
}

QString campoParaArquivo(const QString& celula, PosicaoCampo posicao) {
  QString r;
  anexarCampo(r, celula, posicao);
  return r;
}

void anexarLinhaDaGrade(QString& texto, const CLGrade& grade, int r) {
  const PosicaoCampo posicao{r == 0, grade.ColCount() == 1};
  for (int c = 0; c < grade.ColCount(); ++c) {
    if (c > 0) texto += u';';
    anexarCampo(texto, grade.celula(c, r), posicao);
  }
  texto += QLatin1String("\r\n");
}

}  // namespace mivo
