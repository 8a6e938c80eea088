#include "unArquivoZip.h"

#include <QFile>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <zip.h>

namespace mivo {

QString mensagemDanificado() {
  return QStringLiteral("O arquivo está danificado ou incompleto e não pôde ser lido.");
}

// libzip reads the archive through this source, so that the path is opened
// by Qt (Unicode names on Windows too).
struct CLArquivoZip::Fonte {
  QFile arquivo;
  zip_error_t erro;
  Fonte() { zip_error_init(&erro); }
  ~Fonte() { zip_error_fini(&erro); }

  static zip_int64_t chamar(void* estado, void* dados, zip_uint64_t tamanho, zip_source_cmd_t comando) {
    auto* f = static_cast<Fonte*>(estado);
    switch (comando) {
      case ZIP_SOURCE_OPEN:
        if (!f->arquivo.isOpen() && !f->arquivo.open(QIODevice::ReadOnly)) {
          zip_error_set(&f->erro, ZIP_ER_OPEN, 0);
          return -1;
        }
        f->arquivo.seek(0);
        return 0;
      case ZIP_SOURCE_READ: {
        const qint64 n = f->arquivo.read(static_cast<char*>(dados), qint64(tamanho));
        if (n < 0) zip_error_set(&f->erro, ZIP_ER_READ, 0);
        return n;
      }
      case ZIP_SOURCE_CLOSE:
        return 0;
      case ZIP_SOURCE_STAT: {
        auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, dados, tamanho, &f->erro);
        if (!st) return -1;
        zip_stat_init(st);
        st->size = zip_uint64_t(f->arquivo.size());
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&f->erro, dados, tamanho);
      case ZIP_SOURCE_SEEK: {
        const zip_int64_t pos =
            zip_source_seek_compute_offset(zip_uint64_t(f->arquivo.pos()), zip_uint64_t(f->arquivo.size()),
                                           dados, tamanho, &f->erro);
        if (pos < 0 || !f->arquivo.seek(pos)) {
          zip_error_set(&f->erro, ZIP_ER_SEEK, 0);
          return -1;
        }
        return 0;
      }
      case ZIP_SOURCE_TELL:
        return f->arquivo.pos();
      case ZIP_SOURCE_FREE:
        return 0;
      case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_SEEKABLE;
      default:
        zip_error_set(&f->erro, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
  }
};

CLArquivoZip::CLArquivoZip() = default;

CLArquivoZip::~CLArquivoZip() {
  if (gZip) zip_discard(gZip);
}

bool CLArquivoZip::abrir(const QString& caminho, QString& erro) {
  gFonte = std::make_unique<Fonte>();
  gFonte->arquivo.setFileName(caminho);
  if (!gFonte->arquivo.open(QIODevice::ReadOnly)) {
    erro = QStringLiteral("Não foi possível abrir o arquivo \"%1\".").arg(caminho);
    return false;
  }
  zip_error_t ze;
  zip_error_init(&ze);
  zip_source_t* fonte = zip_source_function_create(&Fonte::chamar, gFonte.get(), &ze);
  if (fonte) {
    // CHECKCONS compares each local header with the directory: a truncated
    // or spliced archive is refused here rather than halfway through.
    gZip = zip_open_from_source(fonte, ZIP_RDONLY | ZIP_CHECKCONS, &ze);
    if (!gZip) zip_source_free(fonte);
  }
  zip_error_fini(&ze);
  if (!gZip) {
    erro = mensagemDanificado();
    return false;
  }
  return true;
}

qint64 CLArquivoZip::indice(const QString& nome) const {
  if (!gZip) return -1;
  const QByteArray n = nome.toUtf8();
  zip_int64_t i = zip_name_locate(gZip, n.constData(), ZIP_FL_ENC_GUESS);
  if (i < 0) i = zip_name_locate(gZip, n.constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
  return i;
}

bool CLArquivoZip::existe(const QString& nome) const { return indice(nome) >= 0; }

qint64 CLArquivoZip::tamanhoDeclarado(const QString& nome) const {
  const qint64 i = indice(nome);
  zip_stat_t st;
  if (i < 0 || zip_stat_index(gZip, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) return -1;
  return qint64(st.size);
}

std::unique_ptr<CLArquivoZip::Fluxo> CLArquivoZip::abrirParte(const QString& nome, qint64 limite,
                                                              QString& erro) const {
  const qint64 i = indice(nome);
  if (i < 0) {
    erro = mensagemDanificado();
    return nullptr;
  }
  zip_stat_t st;
  if (zip_stat_index(gZip, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
    erro = mensagemDanificado();
    return nullptr;
  }
  if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
    erro = QStringLiteral("A planilha está protegida por senha. Abra-a no seu programa de planilhas, "
                          "salve uma cópia sem senha e importe a cópia.");
    return nullptr;
  }
  if (st.size > zip_uint64_t(limite)) {
    erro = QStringLiteral("O arquivo não pode ser importado: uma parte dele ocuparia %1 MB descompactada, "
                          "mais do que o limite de %2 MB (o arquivo pode estar danificado ou ter sido "
                          "feito para travar o programa).")
               .arg(st.size / (1024 * 1024))
               .arg(limite / (1024 * 1024));
    return nullptr;
  }
  zip_file* f = zip_fopen_index(gZip, zip_uint64_t(i), 0);
  if (!f) {
    erro = mensagemDanificado();
    return nullptr;
  }
  return std::make_unique<Fluxo>(f, nome, qint64(st.size), limite);
}

bool CLArquivoZip::lerParte(const QString& nome, qint64 limite, QByteArray& dados, QString& erro) const {
  auto fluxo = abrirParte(nome, limite, erro);
  if (!fluxo) return false;
  dados.clear();
  while (!fluxo->fim()) dados += fluxo->ler();
  if (!fluxo->erro().isEmpty()) {
    erro = fluxo->erro();
    return false;
  }
  return true;
}

// The inflating thread and the blocks it has ready, in order.
struct CLArquivoZip::Fluxo::Paralelo {
  struct Bloco {
    QByteArray dados;
    bool fim = false;
    QString erro;
  };
  std::mutex trava;
  std::condition_variable mudou;
  std::deque<Bloco> prontos;
  int adiante = 4;
  bool parar = false;
  std::thread linha;
};

CLArquivoZip::Fluxo::Fluxo(zip_file* arquivo, QString nome, qint64 declarado, qint64 limite)
    : gInflagem{arquivo, declarado, limite, 0, false, {}}, gNome(std::move(nome)) {}

CLArquivoZip::Fluxo::~Fluxo() {
  if (gParalelo) {
    {
      std::lock_guard l(gParalelo->trava);
      gParalelo->parar = true;
    }
    gParalelo->mudou.notify_all();
    gParalelo->linha.join();
  }
  zip_fclose(gInflagem.arquivo);
}

QByteArray CLArquivoZip::Fluxo::Inflagem::ler(qint64 bloco) {
  if (fim) return {};
  // One byte more than declared is asked for, so that a part that inflates
  // beyond its declared size is caught at once.
  const qint64 resta = declarado - lidos + 1;
  QByteArray dados(std::min(bloco, resta), Qt::Uninitialized);
  const zip_int64_t n = zip_fread(arquivo, dados.data(), zip_uint64_t(dados.size()));
  if (n < 0) {
    erro = mensagemDanificado();
    fim = true;
    return {};
  }
  lidos += n;
  if (lidos > declarado || lidos > limite) {
    erro = QStringLiteral("O arquivo não pode ser importado: uma parte dele se expande além do tamanho "
                          "declarado (o arquivo está danificado ou foi feito para travar o programa).");
    fim = true;
    return {};
  }
  if (n == 0) {
    fim = true;
    if (lidos != declarado) erro = mensagemDanificado();
    return {};
  }
  dados.resize(n);
  return dados;
}

void CLArquivoZip::Fluxo::lerEmParalelo(qint64 bloco, int adiante) {
  if (gParalelo || gFim) return;
  auto p = std::make_unique<Paralelo>();
  p->adiante = std::max(adiante, 1);
  Paralelo* q = p.get();
  Inflagem* inflagem = &gInflagem;  // only the thread touches it from now on
  try {
    p->linha = std::thread([q, inflagem, bloco] {
      while (true) {
        {
          std::unique_lock l(q->trava);
          q->mudou.wait(l, [q] { return q->parar || qsizetype(q->prontos.size()) < q->adiante; });
          if (q->parar) return;
        }
        Paralelo::Bloco b;
        b.dados = inflagem->ler(bloco);
        b.fim = inflagem->fim;
        b.erro = inflagem->erro;
        const bool fim = b.fim;
        {
          std::lock_guard l(q->trava);
          q->prontos.push_back(std::move(b));
        }
        q->mudou.notify_all();
        if (fim) return;
      }
    });
  } catch (const std::system_error&) {
    return;  // no thread to be had: the part is read as it is asked for
  }
  gParalelo = std::move(p);
}

QByteArray CLArquivoZip::Fluxo::ler(qint64 bloco) {
  if (gFim) return {};
  Paralelo::Bloco b;
  if (gParalelo) {
    std::unique_lock l(gParalelo->trava);
    gParalelo->mudou.wait(l, [this] { return !gParalelo->prontos.empty(); });
    b = std::move(gParalelo->prontos.front());
    gParalelo->prontos.pop_front();
    l.unlock();
    gParalelo->mudou.notify_all();
  } else {
    b.dados = gInflagem.ler(bloco);
    b.fim = gInflagem.fim;
    b.erro = gInflagem.erro;
  }
  gLidos += b.dados.size();
  gFim = b.fim;
  gErro = b.erro;
  if (gLidos > gMaxLidos) {
    gFim = true;
    gErro = gMensagemMaxLidos;
    return {};
  }
  return b.dados;
}

void CLArquivoZip::Fluxo::limitarLeitura(qint64 bytes, const QString& mensagem) {
  gMaxLidos = bytes;
  gMensagemMaxLidos = mensagem;
}

// --- XML ---------------------------------------------------------------------

CLLeitorXml::CLLeitorXml(std::unique_ptr<CLArquivoZip::Fluxo> fluxo) : gFluxo(std::move(fluxo)) {
  gXml.setNamespaceProcessing(false);
  gXml.setEntityExpansionLimit(0);
}

QXmlStreamReader::TokenType CLLeitorXml::proximo() {
  if (!gErroProprio.isEmpty()) return QXmlStreamReader::Invalid;
  while (true) {
    const QXmlStreamReader::TokenType t = gXml.readNext();
    if (t == QXmlStreamReader::DTD) {
      gErroProprio = QStringLiteral("O arquivo não pode ser importado: ele traz definições de entidades XML "
                                    "(DTD), que uma planilha não usa.");
      return QXmlStreamReader::Invalid;
    }
    if (t == QXmlStreamReader::EntityReference) {
      gErroProprio = mensagemDanificado();
      return QXmlStreamReader::Invalid;
    }
    if (t == QXmlStreamReader::StartElement) ++gProfundidade;
    if (t == QXmlStreamReader::EndElement && --gProfundidade == 0) gRaizFechada = true;
    if (t != QXmlStreamReader::Invalid) return t;
    if (gXml.error() != QXmlStreamReader::PrematureEndOfDocumentError || !gFluxo) return t;
    // Fed in blocks, the parser never sees the end of the input: the part
    // ends well once its root element has closed.
    if (gFluxo->fim()) return gRaizFechada ? QXmlStreamReader::EndDocument : t;
    const QByteArray bloco = gFluxo->ler();
    if (!gFluxo->erro().isEmpty()) {
      gErroProprio = gFluxo->erro();
      return QXmlStreamReader::Invalid;
    }
    if (bloco.isEmpty()) return gRaizFechada ? QXmlStreamReader::EndDocument : t;
    if (aoLerBloco) aoLerBloco(bloco);
    gXml.addData(bloco);
  }
}

QString CLLeitorXml::erro() const {
  if (!gErroProprio.isEmpty()) return gErroProprio;
  if (gXml.hasError() && !gRaizFechada) return mensagemDanificado();
  return {};
}

}  // namespace mivo
