#include "unArquivoOle.h"

#include <QtEndian>
#include <algorithm>

#include "unArquivoZip.h"

namespace mivo {

namespace {

constexpr quint32 kFimDeCadeia = 0xFFFFFFFE;
constexpr quint32 kMaxSetorComum = 0xFFFFFFFA;  // above: free, end, FAT, DIFAT
const QByteArray kAssinatura("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

quint16 u16(const uchar* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const uchar* p) { return qFromLittleEndian<quint32>(p); }

}  // namespace

const uchar* CLArquivoOle::setor(quint32 numero, qsizetype& tamanho) const {
  if (numero >= gSetores) return nullptr;
  const qint64 inicio = (qint64(numero) + 1) << gDeslocSetor;
  tamanho = qsizetype(std::min<qint64>(qint64(1) << gDeslocSetor, gTamanho - inicio));
  return gDados + inicio;
}

bool CLArquivoOle::cadeia(const std::vector<quint32>& tabela, quint32 inicio, std::vector<quint32>& setores) const {
  // A chain has at most as many links as the table has entries: one more
  // means it loops.
  setores.clear();
  for (quint32 s = inicio; s != kFimDeCadeia;) {
    if (s >= tabela.size() || setores.size() >= tabela.size()) return false;
    setores.push_back(s);
    s = tabela[s];
  }
  return true;
}

bool CLArquivoOle::lerCadeia(quint32 inicio, quint64 tamanho, QByteArray& dados) const {
  std::vector<quint32> setores;
  if (!cadeia(gFat, inicio, setores)) return false;
  const qint64 porSetor = qint64(1) << gDeslocSetor;
  if (tamanho > quint64(setores.size()) * quint64(porSetor)) return false;
  dados.clear();
  dados.reserve(qsizetype(tamanho));
  for (quint32 s : setores) {
    if (quint64(dados.size()) >= tamanho) break;
    qsizetype n = 0;
    const uchar* p = setor(s, n);
    if (!p) return false;
    dados.append(reinterpret_cast<const char*>(p), qsizetype(std::min<quint64>(quint64(n), tamanho - dados.size())));
  }
  return quint64(dados.size()) == tamanho;
}

bool CLArquivoOle::abrir(const QString& caminho, QString& erro) {
  gArquivo.setFileName(caminho);
  if (!gArquivo.open(QIODevice::ReadOnly)) {
    erro = QStringLiteral("Não foi possível abrir o arquivo \"%1\".").arg(caminho);
    return false;
  }
  gTamanho = gArquivo.size();
  gDados = gTamanho > 0 ? gArquivo.map(0, gTamanho) : nullptr;
  if (!gDados) {
    gCopia = gArquivo.readAll();
    gDados = reinterpret_cast<const uchar*>(gCopia.constData());
    gTamanho = gCopia.size();
  }
  erro = mensagemDanificado();
  if (gTamanho < 512 || QByteArray::fromRawData(reinterpret_cast<const char*>(gDados), 8) != kAssinatura) return false;
  const uchar* h = gDados;
  gDeslocSetor = u16(h + 30);
  gDeslocMini = u16(h + 32);
  if ((gDeslocSetor != 9 && gDeslocSetor != 12) || gDeslocMini < 2 || gDeslocMini >= gDeslocSetor) return false;
  gCorteMini = u32(h + 56);
  const qint64 porSetor = qint64(1) << gDeslocSetor;
  gSetores = quint32(std::min<qint64>((gTamanho - 1) / porSetor, kMaxSetorComum));  // the header fills sector -1
  if (gTamanho <= porSetor) return false;

  // The FAT: its sectors are listed in the header (109) and in the DIFAT
  // chain, whose sectors end with the number of the next one.
  const quint32 setoresFat = u32(h + 44);
  if (setoresFat == 0 || setoresFat > gSetores) return false;
  std::vector<quint32> listaFat;
  listaFat.reserve(setoresFat);
  for (int i = 0; i < 109 && listaFat.size() < setoresFat; ++i) listaFat.push_back(u32(h + 76 + 4 * i));
  const quint32 porSetorU32 = quint32(porSetor / 4);
  quint32 difat = u32(h + 68);
  for (quint32 passos = 0; listaFat.size() < setoresFat; ++passos) {
    qsizetype n = 0;
    const uchar* p = passos < gSetores ? setor(difat, n) : nullptr;
    if (!p || n < porSetor) return false;
    for (quint32 i = 0; i + 1 < porSetorU32 && listaFat.size() < setoresFat; ++i) listaFat.push_back(u32(p + 4 * i));
    difat = u32(p + porSetor - 4);
  }
  gFat.clear();
  gFat.reserve(std::min<quint64>(quint64(setoresFat) * porSetorU32, gSetores));
  for (quint32 s : listaFat) {
    qsizetype n = 0;
    const uchar* p = setor(s, n);
    if (!p) return false;
    for (qsizetype i = 0; i + 4 <= n && gFat.size() < gSetores; i += 4) gFat.push_back(u32(p + i));
  }

  // The directory: 128 bytes an entry.
  QByteArray diretorio;
  std::vector<quint32> setores;
  if (!cadeia(gFat, u32(h + 48), setores) || setores.empty()) return false;
  if (!lerCadeia(u32(h + 48), quint64(setores.size()) * quint64(porSetor), diretorio)) return false;
  for (qsizetype pos = 0; pos + 128 <= diretorio.size(); pos += 128) {
    const uchar* e = reinterpret_cast<const uchar*>(diretorio.constData()) + pos;
    Entrada entrada;
    entrada.tipo = e[66];
    const int bytesNome = std::min<int>(u16(e + 64), 64);
    for (int i = 0; i + 1 < bytesNome; i += 2) {
      const char16_t c = u16(e + i);
      if (c == 0) break;
      entrada.nome += QChar(c);
    }
    entrada.inicio = u32(e + 116);
    // Version 3 files may leave garbage in the high half of the size.
    entrada.tamanho = gDeslocSetor == 9 ? u32(e + 120) : qFromLittleEndian<quint64>(e + 120);
    gEntradas.append(entrada);
  }
  if (gEntradas.isEmpty() || gEntradas.first().tipo != 5) return false;

  // The mini FAT (read now; the mini stream only when a small stream is).
  if (!cadeia(gFat, u32(h + 60), setores)) return false;
  gFatMini.clear();
  for (quint32 s : setores) {
    qsizetype n = 0;
    const uchar* p = setor(s, n);
    if (!p) return false;
    for (qsizetype i = 0; i + 4 <= n; i += 4) gFatMini.push_back(u32(p + i));
  }
  erro.clear();
  return true;
}

const CLArquivoOle::Entrada* CLArquivoOle::entrada(const QString& nome) const {
  for (const Entrada& e : gEntradas)
    if (e.tipo == 2 && e.nome.compare(nome, Qt::CaseInsensitive) == 0) return &e;
  return nullptr;
}

bool CLArquivoOle::existe(const QString& nome) const { return entrada(nome) != nullptr; }

bool CLArquivoOle::lerFluxo(const QString& nome, qint64 limite, QByteArray& dados, QString& erro) {
  const Entrada* e = entrada(nome);
  if (!e) {
    erro = mensagemDanificado();
    return false;
  }
  if (e->tamanho > quint64(limite)) {
    erro = QStringLiteral("A planilha é grande demais para ser importada (limite de %1 MB).").arg(limite >> 20);
    return false;
  }
  erro = mensagemDanificado();
  // A stream is never longer than the file that holds it.
  if (e->tamanho > quint64(gTamanho)) return false;
  if (e->tamanho >= gCorteMini) {
    if (!lerCadeia(e->inicio, e->tamanho, dados)) return false;
    erro.clear();
    return true;
  }
  if (!gMiniLido) {
    const Entrada& raiz = gEntradas.first();
    if (raiz.tamanho > quint64(gTamanho) || !lerCadeia(raiz.inicio, raiz.tamanho, gFluxoMini)) return false;
    gMiniLido = true;
  }
  std::vector<quint32> setores;
  if (!cadeia(gFatMini, e->inicio, setores)) return false;
  const qsizetype porSetor = qsizetype(1) << gDeslocMini;
  dados.clear();
  for (quint32 s : setores) {
    if (quint64(dados.size()) >= e->tamanho) break;
    const qint64 inicio = qint64(s) * porSetor;
    if (inicio + porSetor > gFluxoMini.size()) return false;
    dados.append(gFluxoMini.constData() + inicio,
                 qsizetype(std::min<quint64>(quint64(porSetor), e->tamanho - quint64(dados.size()))));
  }
  if (quint64(dados.size()) != e->tamanho) return false;
  erro.clear();
  return true;
}

}  // namespace mivo
