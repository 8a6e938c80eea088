// Fuzz target: spreadsheet import. The input is the bytes of a file (an
// .xlsx or .ods package, an .xls, or anything at all): written into the
// sandbox, it goes through the importer as the data-table window imports a
// spreadsheet, with small limits so that every input costs little. The
// importer either fills the table by its rules or leaves it as it was and
// says why.

#include <QFile>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <zlib.h>

#include "unApoioFuzz.h"
#include "unCLGrade.h"
#include "unCLNegOffice.h"

using namespace mivo;

namespace {

// The caps and memory limits of the importer, made small: what a file can
// claim is refused or read within them as it is at full size.
LimitesPlanilha limitesDoFuzz() {
  LimitesPlanilha l;
  l.maxColunas = 64;
  l.maxLinhas = 200;
  l.maxParte = 1 << 20;
  l.maxParteEmMemoria = 1 << 20;
  l.maxConteudoOds = 1 << 20;
  l.maxParteDescritiva = 256 << 10;
  l.maxMemoriaLinhas = 2 << 20;
  l.maxTextosCompartilhados = 1 << 20;
  return l;
}

// Records that the progress window is opened and closed in turn.
class ProgressoConferido : public CLProgresso {
 public:
  bool aberto = false;
  void progressoAbrir(const QString&, int, const QString&, const QString&, const QString&) override { aberto = true; }
  void progressoPasso(const QString&) override { MIVO_FUZZ_EXIGIR(aberto); }
  void progressoFechar() override { aberto = false; }
};

quint32 le32(const QByteArray& z, qsizetype i) {
  return quint32(uchar(z[i])) | quint32(uchar(z[i + 1])) << 8 | quint32(uchar(z[i + 2])) << 16 |
         quint32(uchar(z[i + 3])) << 24;
}
quint16 le16(const QByteArray& z, qsizetype i) { return quint16(uchar(z[i]) | uchar(z[i + 1]) << 8); }
void gravar32(QByteArray& z, qsizetype i, quint32 v) {
  for (int k = 0; k < 4; ++k) z[i + k] = char((v >> (8 * k)) & 0xFF);
}

// The stored (uncompressed) parts of a zip package get the checksum of what
// they hold: a change to their XML then reaches the readers, instead of
// failing the package's check at the end of the part. The seeds hold
// stored copies of the packages for this.
void corrigirSomas(QByteArray& z) {
  static const QByteArray kCentral("PK\x01\x02", 4), kLocal("PK\x03\x04", 4);
  for (qsizetype p = z.indexOf(kCentral); p >= 0 && p + 46 <= z.size(); p = z.indexOf(kCentral, p + 4)) {
    if (le16(z, p + 10) != 0) continue;
    const qsizetype local = le32(z, p + 42);
    if (local < 0 || local + 30 > z.size() || z.mid(local, 4) != kLocal || le16(z, local + 8) != 0) continue;
    const qsizetype inicio = local + 30 + le16(z, local + 26) + le16(z, local + 28);
    const qsizetype tamanho = le32(z, local + 18);
    if (inicio + tamanho > z.size()) continue;
    // zlib's checksum: the one of the loop here, instrumented, took a third
    // of the target's time.
    const quint32 soma = quint32(::crc32(0, reinterpret_cast<const Bytef*>(z.constData() + inicio), uInt(tamanho)));
    gravar32(z, local + 14, soma);
    gravar32(z, p + 16, soma);
  }
}

QList<QStringList> conteudo(const CLGrade& g) {
  QList<QStringList> r;
  for (int l = 0; l < g.RowCount(); ++l) r << g.celulasLinha(l);
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  static const QString arquivo = fuzz::pastaAreia() + QStringLiteral("/planilha");
  {
    QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    corrigirSomas(bytes);
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
      fuzz::falha("não foi possível gravar a planilha de entrada");
  }
  static const LimitesPlanilha limites = limitesDoFuzz();

  // A table that already holds something.
  CLGrade g;
  g.setColCount(2);
  g.setCell(0, 0, QStringLiteral("antes"));
  g.setCell(1, 1, QStringLiteral("dado"));
  const QList<QStringList> antes = conteudo(g);

  ProgressoConferido progresso;
  CLAmbienteImportacao ambiente;
  ambiente.progresso = &progresso;
  int informacoes = 0;
  ambiente.informar = [&](const QString& m) {
    MIVO_FUZZ_EXIGIR(m == CLNegOffice::mensagemVariasPlanilhas());
    ++informacoes;
  };
  const ResultadoImportacao r = CLNegOffice(limites).importar(arquivo, ambiente, g);
  MIVO_FUZZ_EXIGIR(!progresso.aberto);
  MIVO_FUZZ_EXIGIR(informacoes <= 1);

  if (r.desfecho != Desfecho::Concluido) {
    // Nothing was cancelled, so it failed: with a reason, the table as it was.
    MIVO_FUZZ_EXIGIR(r.desfecho == Desfecho::Falhou);
    MIVO_FUZZ_EXIGIR(!r.mensagem.isEmpty() && r.registros == 0);
    MIVO_FUZZ_EXIGIR(conteudo(g) == antes);
    return 0;
  }

  // The rules of the sheet: titles from column A up to the first empty cell,
  // records down to the first empty cell of column A, within the caps and
  // the memory limit.
  MIVO_FUZZ_EXIGIR(r.mensagem.isEmpty());
  MIVO_FUZZ_EXIGIR(r.colunas >= 1 && r.colunas <= limites.maxColunas && g.ColCount() == r.colunas);
  MIVO_FUZZ_EXIGIR(r.registros >= 0 && r.registros < limites.maxLinhas);
  MIVO_FUZZ_EXIGIR(g.RowCount() == std::max(2, r.registros + 1));
  const QStringList titulos = g.celulasLinha(0);
  for (const QString& t : titulos) MIVO_FUZZ_EXIGIR(!t.isEmpty());
  qint64 caracteres = 0;
  for (int l = 0; l < g.RowCount(); ++l) {
    const QStringList celulas = g.celulasLinha(l);
    MIVO_FUZZ_EXIGIR(celulas.size() == r.colunas);
    if (l >= 1 && l <= r.registros) MIVO_FUZZ_EXIGIR(!celulas.first().isEmpty());
    for (const QString& c : celulas) caracteres += c.size();
  }
  MIVO_FUZZ_EXIGIR(2 * caracteres <= limites.maxMemoriaLinhas);

  // The titles alone (what the script checker asks for) are those of the import.
  QStringList soTitulos;
  MIVO_FUZZ_EXIGIR(CLNegOffice(limites).lerTitulos(arquivo, soTitulos));
  MIVO_FUZZ_EXIGIR(soTitulos == titulos);
  return 0;
}
