#include "unArquivoLista.h"

#include <QSaveFile>

#include <algorithm>

#include "unCLGrade.h"
#include "unCLProgresso.h"
#include "unUtil.h"

namespace mivo {

namespace {

// Blanks that may surround a field; a tab used as the delimiter is not one.
bool ehBrancoDeCampo(QChar c, QChar delimitador) {
  return c.unicode() <= 0x20 && c != delimitador;
}

// When a field starting at `ini` is written in double quotes, the index just
// past its closing quote and trailing blanks (the delimiter or the end), with
// the unquoted text in `valor`; -1 when the field is not quoted.
qsizetype fimDeCampoCitado(const QString& texto, qsizetype ini, QChar delimitador,
                           QString& valor) {
  const qsizetype n = texto.size();
  qsizetype i = ini;
  while (i < n && ehBrancoDeCampo(texto[i], delimitador)) ++i;
  if (i >= n || texto[i] != u'"') return -1;
  valor.clear();
  for (++i; i < n; ++i) {
    if (texto[i] != u'"') {
      valor += texto[i];
    } else if (i + 1 < n && texto[i + 1] == u'"') {
      valor += u'"';
      ++i;
    } else {
      qsizetype fim = i + 1;
      while (fim < n && ehBrancoDeCampo(texto[fim], delimitador)) ++fim;
      if (fim == n || texto[fim] == delimitador) return fim;
      valor += texto[i];  // a quote inside the text, not the closing one
    }
  }
  return -1;
}

}  // namespace

QChar escolherDelimitador(const QString& primeiraLinha) {
  for (QChar d : {QChar(u';'), QChar(u'\t'), QChar(u',')})
    if (primeiraLinha.contains(d)) return d;
  return {};
}

QStringList dividirCampos(const QString& linha, QChar delimitador) {
  const QString texto = aparar(linha);
  if (texto.isEmpty()) return {};
  QStringList campos;
  const qsizetype n = texto.size();
  qsizetype ini = 0;
  while (true) {
    QString valor;
    qsizetype fim = fimDeCampoCitado(texto, ini, delimitador, valor);
    if (fim < 0) {
      fim = delimitador.isNull() ? -1 : texto.indexOf(delimitador, ini);
      if (fim < 0) fim = n;
      valor = texto.mid(ini, fim - ini);
    }
    campos.append(aparar(valor));
    if (fim >= n) break;
    ini = fim + 1;
  }
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
    for (int c = 0; c < grade.ColCount(); ++c) {
      if (c > 0) texto += u';';
      anexarCampo(texto, grade.celula(c, r));
    }
    texto += QLatin1String("\r\n");
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
  const QString primeiroCampo = campoParaArquivo(grade.cell(0, 0));
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
  bytes.reserve(kBloco + 4096);
  QString linha;
  for (int r = 0; r < total; ++r) {
    if (progresso && r % passo == 0)
      progresso->progressoPasso(QStringLiteral("Processados: ") + formatarContagem(r));
    linha.clear();
    for (int c = 0; c < grade.ColCount(); ++c) {
      if (c > 0) linha += u';';
      anexarCampo(linha, grade.celula(c, r));
    }
    linha += QLatin1String("\r\n");
    if (cabe)
      anexarWindows1252(linha, bytes);
    else
      bytes += linha.toUtf8();
    if (bytes.size() >= kBloco) {
      if (arquivo.write(bytes) != bytes.size()) return falhou();
      bytes.clear();
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

void anexarCampo(QString& linha, QStringView celula) {
  if (!celula.contains(u';') && !celula.startsWith(u'"')) {
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

QString campoParaArquivo(const QString& celula) {
  QString r;
  anexarCampo(r, celula);
  return r;
}

bool carregarComTitulos(CLGrade& grade, const QString& texto) {
  if (aparar(texto).isEmpty()) return false;
  CLGrade::Lote lote(grade);
  const QString primeira = primeiraLinha(texto).toString();
  grade.inserirColunas(primeira);
  // The titles split at ";" and ","; so do the records of a list whose first
  // line has no ";" (a comma- or tab-separated file), or their values would
  // all land in the first column.
  const QChar delimitador = escolherDelimitador(primeira);
  const QChar separador = delimitador.isNull() ? QChar(u';') : delimitador;
  bool titulos = true;
  paraCadaLinha(texto, [&](QStringView l) {
    if (std::exchange(titulos, false)) return;
    const QString linha = l.toString();
    if (separador != u';')
      grade.inserirLinha(dividirCampos(linha, separador).join(u';'), true);
    else if (linha.contains(u'"'))
      grade.inserirCampos(dividirCampos(linha, separador), true);  // a quoted field keeps its ";"
    else
      grade.inserirLinha(linha, true);
  });
  return true;
}

}  // namespace mivo
