#include "unLeitorOds.h"

#include <QDateTime>
#include <QRegularExpression>
#include <climits>

#include "unFormatoNumero.h"

namespace mivo {

namespace {

const QString kConteudo = QStringLiteral("content.xml");

const QString kEstilos = QStringLiteral("styles.xml");

int numeroAtributo(const QXmlStreamAttributes& atributos, QLatin1StringView local) {
  bool ok = false;
  const qint64 n = atributoOds(atributos, local).toLongLong(&ok);
  return ok && n > 1 ? int(std::min<qint64>(n, 1 << 30)) : 1;
}

bool ehCaractereDeNome(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.';
}

// Counts the start tags "<prefix:table" in raw XML, block by block.
class CLContagemTabelas {
 public:
  int total = 0;
  void bloco(const QByteArray& dados) {
    const QByteArray buf = gResto + dados;
    static const QByteArray kNome(":table");
    qsizetype pos = 0;
    while ((pos = buf.indexOf(kNome, pos)) >= 0) {
      const qsizetype depois = pos + kNome.size();
      if (depois >= buf.size()) break;
      const char c = buf[depois];
      if (c == ' ' || c == '>' || c == '/' || c == '\t' || c == '\n' || c == '\r') {
        qsizetype i = pos - 1;
        while (i >= 0 && ehCaractereDeNome(buf[i])) --i;
        if (i >= 0 && buf[i] == '<' && i < pos - 1) ++total;
      }
      pos = depois;
    }
    gResto = buf.right(64);
    // A match inside the kept tail would be counted again: drop it.
    const qsizetype ultimo = gResto.lastIndexOf(kNome);
    if (ultimo >= 0 && ultimo + kNome.size() < gResto.size()) gResto = gResto.mid(ultimo + 1);
  }

 private:
  QByteArray gResto;
};

// The seconds of a duration ("PT10H30M05S", as ODF writes times of day);
// false when it is no duration.
bool segundosDaDuracao(QStringView v, double& segundos) {
  static const QRegularExpression re(QStringLiteral("^(-?)P(?:(\\d+)D)?T(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+(?:[.,]\\d+)?)S)?$"));
  const auto m = re.match(v.toString());
  if (!m.hasMatch()) return false;
  const double horas = m.captured(2).toDouble() * 24 + m.captured(3).toDouble();
  segundos = horas * 3600 + m.captured(4).toDouble() * 60 + m.captured(5).replace(u',', u'.').toDouble();
  if (!m.captured(1).isEmpty()) segundos = -segundos;
  return true;
}

// A duration as "10:30:05".
QString textoDuracao(QStringView v) {
  double segundos = 0;
  if (!segundosDaDuracao(v, segundos) || segundos < 0) return v.toString();
  const qint64 total = std::llround(segundos);
  return QStringLiteral("%1:%2:%3")
      .arg(total / 3600, 2, 10, QChar(u'0'))
      .arg((total / 60) % 60, 2, 10, QChar(u'0'))
      .arg(total % 60, 2, 10, QChar(u'0'));
}

}  // namespace

CLLeitorOds::CLLeitorOds(std::unique_ptr<CLArquivoZip> zip, const LimitesPlanilha& limites)
    : gZip(std::move(zip)), gLimites(limites), gMesclagens(limites.maxLinhas, limites.maxColunas) {}

CLLeitorOds::~CLLeitorOds() = default;

bool CLLeitorOds::abrir(QString& erro) {
  // An encrypted document keeps its parts readable only with the password;
  // its manifest says so.
  QByteArray manifesto;
  const QString parteManifesto = QStringLiteral("META-INF/manifest.xml");
  if (gZip->existe(parteManifesto)) {
    if (!gZip->lerParte(parteManifesto, gLimites.maxParteDescritiva, manifesto, erro)) return false;
    if (manifesto.contains("encryption-data")) {
      erro = QStringLiteral("A planilha está protegida por senha. Abra-a no seu programa de planilhas, "
                            "salve uma cópia sem senha e importe a cópia.");
      return false;
    }
  }
  return contarPlanilhas(erro);
}

bool CLLeitorOds::contarPlanilhas(QString& erro) {
  // Raw scan: stops as soon as a second table starts.
  auto fluxo = gZip->abrirParte(kConteudo, gLimites.maxParte, erro);
  if (!fluxo) return false;
  CLContagemTabelas contagem;
  // A first table that big is read no further than that anyway.
  while (contagem.total < 2 && fluxo->lidos() < gLimites.maxConteudoOds) {
    const QByteArray bloco = fluxo->ler(1 << 20);
    if (!fluxo->erro().isEmpty()) {
      erro = fluxo->erro();
      return false;
    }
    if (bloco.isEmpty()) break;
    contagem.bloco(bloco);
  }
  gPlanilhas = contagem.total;
  if (gPlanilhas == 0) {
    erro = QStringLiteral("A planilha não tem nenhuma tabela de dados.");
    return false;
  }
  return true;
}

bool CLLeitorOds::lerEstilos(QString& erro) {
  // The named styles (styles.xml), then the automatic ones, which come
  // before the body of content.xml.
  if (gZip->existe(kEstilos)) {
    auto fluxo = gZip->abrirParte(kEstilos, gLimites.maxParteDescritiva, erro);
    if (!fluxo) return false;
    CLLeitorXml estilos(std::move(fluxo));
    QXmlStreamReader::TokenType t;
    while ((t = estilos.proximo()) != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument)
      gEstilos.token(estilos.xml(), t);
    erro = estilos.erro();
    if (!erro.isEmpty()) return false;
  }
  QXmlStreamReader::TokenType t;
  while ((t = gConteudo->proximo()) != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument) {
    if (t == QXmlStreamReader::StartElement && nomeLocal(gConteudo->xml().qualifiedName()) == u"body") return true;
    gEstilos.token(gConteudo->xml(), t);
  }
  erro = gConteudo->erro();
  return erro.isEmpty();
}

bool CLLeitorOds::prepararPrimeira(const PedidoParada&, QString& erro) {
  auto fluxo = gZip->abrirParte(kConteudo, gLimites.maxParte, erro);
  if (!fluxo) return false;
  fluxo->limitarLeitura(gLimites.maxConteudoOds,
                        QStringLiteral("A planilha é grande demais para ser importada: o conteúdo da sua primeira "
                                       "tabela passa de %1 MB.")
                            .arg(gLimites.maxConteudoOds >> 20));
  gConteudo = std::make_unique<CLLeitorXml>(std::move(fluxo));
  return lerEstilos(erro);
}

QString CLLeitorOds::valorDaCelula(const QXmlStreamAttributes& a, const QString& texto, const FormatoOds* f) const {
  const QStringView tipo = atributoOds(a, QLatin1StringView("value-type"));
  // A number format of the cell's style shows the value as the sheet does.
  const bool formatado = f && (f->booleano || f->numero.temFormato());
  auto formatar = [&](double v) { return f->booleano ? textoBooleano(v != 0) : f->numero.formatar(v); };
  if (tipo == QLatin1StringView("float") || tipo == QLatin1StringView("percentage") ||
      tipo == QLatin1StringView("currency")) {
    bool ok = false;
    const double v = atributoOds(a, QLatin1StringView("value")).toDouble(&ok);
    if (!ok) return texto;
    if (formatado) return formatar(v);
    // Without a style, the shown text says how the number looks; a plain
    // number is shown as any number without a format is (decimal comma,
    // every digit).
    static const QRegularExpression simples(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    if (texto.isEmpty() || (tipo == QLatin1StringView("float") && simples.match(texto).hasMatch() &&
                            texto.toDouble() == v))
      return numeroGeral(v);
    return texto;
  }
  if (tipo == QLatin1StringView("date")) {
    const QString v = atributoOds(a, QLatin1StringView("date-value")).toString();
    QDateTime dt = QDateTime::fromString(v, Qt::ISODateWithMs);
    if (!dt.isValid()) dt = QDateTime(QDate::fromString(v.left(10), Qt::ISODate), QTime(0, 0));
    double serial = 0;
    if (formatado && serialDaData(dt, serial)) return formatar(serial);
    return dt.isValid() ? textoDataHora(dt) : texto;
  }
  if (tipo == QLatin1StringView("time")) {
    // A time of day, or a date and time under a time style: as a duration
    // since the start of the calendar.
    const QStringView v = atributoOds(a, QLatin1StringView("time-value"));
    double segundos = 0;
    if (formatado && segundosDaDuracao(v, segundos)) return formatar(segundos / 86400);
    return textoDuracao(v);
  }
  if (tipo == QLatin1StringView("boolean")) {
    const QStringView b = atributoOds(a, QLatin1StringView("boolean-value"));
    return textoBooleano(b == QLatin1StringView("true") || b == QLatin1StringView("1"));
  }
  if (texto.isEmpty()) return atributoOds(a, QLatin1StringView("string-value")).toString();
  return texto;
}

bool CLLeitorOds::proximaLinha(int& numero, QStringList& celulas, QString& erro) {
  if (gRepetir > 0) {
    --gRepetir;
    numero = ++gLinha;
    if (numero > gLimites.maxLinhas) return false;
    celulas = gUltimas;
    gMesclagens.aplicar(numero, celulas);
    return true;
  }
  if (!gConteudo) return false;
  QXmlStreamReader& x = gConteudo->xml();
  bool naLinha = false;
  QString estiloLinha;            // the row's default cell style
  int repeticoesLinha = 1;
  int coluna = 0;                 // columns used so far in the row
  bool naCelula = false;
  QXmlStreamAttributes atributosCelula;
  int repeticoesCelula = 1, colunasUnidas = 1, linhasUnidas = 1;
  QString texto;
  int paragrafos = 0, profundidadeParagrafo = 0, nota = 0;
  // Only the cells of the columns wanted are read, and their text stays
  // within what a row may take (a file can repeat spaces at will).
  const int colunasGuardadas = std::min(gColunas, gLimites.maxColunas);
  const qint64 maxTexto = std::min(gMaxMemoriaLinha, gLimites.maxMemoriaLinhas) / 2;
  qint64 textoLinha = 0;
  bool guardarTexto = false;
  auto textoDemais = [&] {
    if (textoLinha + texto.size() <= maxTexto) return false;
    erro = mensagemGrandeDemais(gLimites);
    gConteudo.reset();
    return true;
  };
  celulas.clear();
  QXmlStreamReader::TokenType t;
  while ((t = gConteudo->proximo()) != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument) {
    if (t == QXmlStreamReader::Characters) {
      if (naCelula && guardarTexto && profundidadeParagrafo > 0 && nota == 0) {
        texto += x.text();
        if (textoDemais()) return false;
      }
      continue;
    }
    if (t != QXmlStreamReader::StartElement && t != QXmlStreamReader::EndElement) continue;
    const QStringView nome = nomeLocal(x.qualifiedName());
    const bool abre = t == QXmlStreamReader::StartElement;
    if (nome == QLatin1StringView("table")) {
      if (abre) {
        if (gTabelaVista && gProfundidadeTabela == 0) break;  // the second table: done
        gTabelaVista = true;
        ++gProfundidadeTabela;
      } else if (--gProfundidadeTabela == 0) {
        break;
      }
      continue;
    }
    if (gProfundidadeTabela == 0) continue;
    if (nome == QLatin1StringView("table-row")) {
      if (abre) {
        naLinha = true;
        repeticoesLinha = numeroAtributo(x.attributes(), QLatin1StringView("number-rows-repeated"));
        estiloLinha = atributoOds(x.attributes(), QLatin1StringView("default-cell-style-name")).toString();
        coluna = 0;
      } else if (naLinha) {
        numero = ++gLinha;
        if (numero > gLimites.maxLinhas) {
          gConteudo.reset();
          return false;
        }
        gRepetir = repeticoesLinha - 1;
        if (gRepetir > 0) gUltimas = celulas;
        gMesclagens.aplicar(numero, celulas);
        return true;
      }
    } else if (!naLinha && abre && nome == QLatin1StringView("table-column")) {
      // Columns (repeated as rows are) with the style of their cells that
      // name none.
      const QString estilo = atributoOds(x.attributes(), QLatin1StringView("default-cell-style-name")).toString();
      const int ate = int(std::min<qint64>(
          qint64(gColunasDescritas) + numeroAtributo(x.attributes(), QLatin1StringView("number-columns-repeated")),
          gLimites.maxColunas));
      if (!estilo.isEmpty() && ate > gColunasDescritas) {
        if (gEstiloColuna.size() < ate) gEstiloColuna.resize(ate);
        for (int c = gColunasDescritas; c < ate; ++c) gEstiloColuna[c] = estilo;
      }
      gColunasDescritas = std::max(gColunasDescritas, ate);
    } else if (naLinha && (nome == QLatin1StringView("table-cell") || nome == QLatin1StringView("covered-table-cell"))) {
      if (abre) {
        naCelula = true;
        atributosCelula = x.attributes();
        repeticoesCelula = numeroAtributo(atributosCelula, QLatin1StringView("number-columns-repeated"));
        colunasUnidas = numeroAtributo(atributosCelula, QLatin1StringView("number-columns-spanned"));
        linhasUnidas = numeroAtributo(atributosCelula, QLatin1StringView("number-rows-spanned"));
        texto.clear();
        paragrafos = 0;
        guardarTexto = nome == QLatin1StringView("table-cell") && coluna < colunasGuardadas;
      } else if (naCelula) {
        naCelula = false;
        QString valor;
        if (guardarTexto) {
          QString estilo = atributoOds(atributosCelula, QLatin1StringView("style-name")).toString();
          if (estilo.isEmpty()) estilo = estiloLinha.isEmpty() ? gEstiloColuna.value(coluna) : estiloLinha;
          valor = valorDaCelula(atributosCelula, texto, gEstilos.formato(estilo));
        }
        if (colunasUnidas > 1 || linhasUnidas > 1)
          gMesclagens.adicionar(gLinha + 1, coluna + 1, int(std::min<qint64>(qint64(gLinha) + linhasUnidas, INT_MAX)),
                                int(std::min<qint64>(qint64(coluna) + colunasUnidas, INT_MAX)));
        if (!valor.isEmpty()) {
          textoLinha += valor.size();
          const int ate = int(std::min<qint64>(qint64(coluna) + repeticoesCelula, colunasGuardadas));
          if (ate > coluna && celulas.size() < ate) celulas.resize(ate);
          for (int c = coluna; c < ate; ++c) celulas[c] = valor;
        }
        coluna = int(std::min<qint64>(qint64(coluna) + repeticoesCelula, 1 << 30));
      }
    } else if (naCelula && nome == QLatin1StringView("annotation")) {
      nota += abre ? 1 : -1;
    } else if (naCelula && nota == 0 && nome == QLatin1StringView("p")) {
      if (abre) {
        if (paragrafos++ > 0 && guardarTexto) texto += u'\n';
        ++profundidadeParagrafo;
      } else {
        --profundidadeParagrafo;
      }
    } else if (naCelula && nota == 0 && profundidadeParagrafo > 0 && abre) {
      if (!guardarTexto) {
        continue;
      } else if (nome == QLatin1StringView("s")) {
        texto += QString(std::min(numeroAtributo(x.attributes(), QLatin1StringView("c")), 1000), u' ');
        if (textoDemais()) return false;
      } else if (nome == QLatin1StringView("tab")) {
        texto += u'\t';
      } else if (nome == QLatin1StringView("line-break")) {
        texto += u'\n';
      }
    }
  }
  erro = gConteudo->erro();
  gConteudo.reset();
  return false;
}

}  // namespace mivo
