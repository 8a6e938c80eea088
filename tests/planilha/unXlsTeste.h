#pragma once
// Small Excel 97-2003 workbooks written by the tests themselves: BIFF
// records put together by hand and wrapped in an OLE2 compound file, so that
// every kind of record (and every way of getting one wrong) can be tried
// without an office suite.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>
#include <array>
#include <cstring>

namespace mivo::teste {

inline QByteArray le16(quint32 v) {
  QByteArray r(2, '\0');
  qToLittleEndian<quint16>(quint16(v), r.data());
  return r;
}
inline QByteArray le32(quint32 v) {
  QByteArray r(4, '\0');
  qToLittleEndian<quint32>(v, r.data());
  return r;
}
inline QByteArray leDouble(double v) {
  quint64 bits;
  std::memcpy(&bits, &v, sizeof bits);
  QByteArray r(8, '\0');
  qToLittleEndian<quint64>(bits, r.data());
  return r;
}

inline QByteArray registroXls(quint16 tipo, const QByteArray& dados) { return le16(tipo) + le16(quint32(dados.size())) + dados; }

// A BIFF8 text: its length (16 bits, or 8 with `curto`), the option byte and
// the characters, 8 bits each when they all fit, 16 otherwise.
inline QByteArray textoBiff8(const QString& t, bool curto = false) {
  bool largo = false;
  for (QChar c : t) largo = largo || c.unicode() > 0xFF;
  QByteArray r = curto ? QByteArray(1, char(t.size())) : le16(quint32(t.size()));
  r += char(largo ? 1 : 0);
  for (QChar c : t) r += largo ? le16(c.unicode()) : QByteArray(1, char(c.unicode()));
  return r;
}

// Cell records (rows and columns 0-based).
inline QByteArray celulaXls(quint16 tipo, int l, int c, int xf, const QByteArray& resto) {
  return registroXls(tipo, le16(l) + le16(c) + le16(xf) + resto);
}
inline QByteArray numeroXls(int l, int c, double v, int xf = 0) { return celulaXls(0x0203, l, c, xf, leDouble(v)); }
inline QByteArray rkXls(int l, int c, quint32 rk, int xf = 0) { return celulaXls(0x027E, l, c, xf, le32(rk)); }
inline QByteArray textoSstXls(int l, int c, int indice, int xf = 0) { return celulaXls(0x00FD, l, c, xf, le32(indice)); }
inline QByteArray rotuloXls(int l, int c, const QString& t, int xf = 0) { return celulaXls(0x0204, l, c, xf, textoBiff8(t)); }
// A BIFF5 text cell: the bytes in the workbook's code page.
inline QByteArray rotuloBiff5(int l, int c, const QByteArray& bytes) {
  return celulaXls(0x0204, l, c, 0, le16(quint32(bytes.size())) + bytes);
}
inline QByteArray boolErroXls(int l, int c, int valor, bool erro, int xf = 0) {
  return celulaXls(0x0205, l, c, xf, QByteArray(1, char(valor)) + QByteArray(1, char(erro ? 1 : 0)));
}
// A formula (its tokens: a 1 pushed on the stack) with its cached result.
inline QByteArray formulaXls(int l, int c, const QByteArray& resultado, int xf = 0) {
  return celulaXls(0x0006, l, c, xf, resultado + le16(0) + le32(0) + le16(3) + QByteArray("\x1e\x01\x00", 3));
}
inline QByteArray resultadoEspecial(int tipo, int valor = 0) {
  return QByteArray(1, char(tipo)) + QByteArray(1, '\0') + QByteArray(1, char(valor)) + QByteArray(3, '\0') + le16(0xFFFF);
}
inline QByteArray mesclagemXls(const QList<std::array<int, 4>>& faixas) {  // first row, last row, first col, last col
  QByteArray d = le16(quint32(faixas.size()));
  for (const auto& f : faixas) d += le16(f[0]) + le16(f[1]) + le16(f[2]) + le16(f[3]);
  return registroXls(0x00E5, d);
}
inline QByteArray dimensoesXls(quint32 linhas, int colunas) {
  return registroXls(0x0200, le32(0) + le32(linhas) + le16(0) + le16(colunas) + le16(0));
}
// Globals.
inline QByteArray formatoXls(int id, const QString& codigo) { return registroXls(0x041E, le16(id) + textoBiff8(codigo)); }
inline QByteArray xfXls(int formato) { return registroXls(0x00E0, le16(0) + le16(formato) + QByteArray(16, '\0')); }
// The shared strings in one SST record.
inline QByteArray sstXls(const QStringList& textos) {
  QByteArray d = le32(quint32(textos.size())) + le32(quint32(textos.size()));
  for (const QString& t : textos) d += textoBiff8(t);
  return registroXls(0x00FC, d);
}

struct Xls {
  QList<QByteArray> globais;         // records between BOF and the sheet list
  QList<QList<QByteArray>> folhas;   // each worksheet's records between BOF and EOF
  bool biff5 = false;                // Excel 5/95: "Book", byte texts

  // The workbook stream.
  QByteArray livro() const {
    const quint16 versao = biff5 ? 0x0500 : 0x0600;
    auto bof = [&](quint16 tipo) {
      return registroXls(0x0809, le16(versao) + le16(tipo) + le16(0x0DBB) + le16(0x07CC) +
                                     (biff5 ? QByteArray() : le32(0) + le32(6)));
    };
    QByteArray r = bof(0x0005);
    for (const QByteArray& g : globais) r += g;
    QList<qsizetype> posicoes;
    for (qsizetype i = 0; i < folhas.size(); ++i) {
      posicoes << r.size() + 4;
      const QByteArray nome = QStringLiteral("Planilha%1").arg(i + 1).toLatin1();
      r += registroXls(0x0085, le32(0) + QByteArray(2, '\0') + QByteArray(1, char(nome.size())) +
                                   (biff5 ? QByteArray() : QByteArray(1, '\0')) + nome);
    }
    r += registroXls(0x000A, {});
    for (qsizetype i = 0; i < folhas.size(); ++i) {
      qToLittleEndian<quint32>(quint32(r.size()), r.data() + posicoes[i]);
      r += bof(0x0010);
      for (const QByteArray& x : folhas[i]) r += x;
      r += registroXls(0x000A, {});
    }
    return r;
  }
  bool gravar(const QString& caminho) const {
    return gravarOle(caminho, livro(), biff5 ? QStringLiteral("Book") : QStringLiteral("Workbook"));
  }

  // An OLE2 compound file (512-byte sectors) holding one stream, padded to
  // 4096 bytes so that it lives in ordinary sectors.
  static QByteArray ole(QByteArray fluxo, const QString& nome) {
    if (fluxo.size() < 4096) fluxo.append(QByteArray(4096 - fluxo.size(), '\0'));
    if (fluxo.size() % 512) fluxo.append(QByteArray(512 - fluxo.size() % 512, '\0'));
    const quint32 setoresFluxo = quint32(fluxo.size() / 512);
    quint32 setoresFat = 1;
    while (setoresFat * 128 < setoresFat + 1 + setoresFluxo) ++setoresFat;
    const quint32 diretorio = setoresFat, inicioFluxo = setoresFat + 1;
    QByteArray cab(512, '\0');
    cab.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    auto por = [&](QByteArray& b, int pos, const QByteArray& v) { b.replace(pos, v.size(), v); };
    por(cab, 24, le16(0x3E) + le16(3) + le16(0xFFFE) + le16(9) + le16(6));
    por(cab, 44, le32(setoresFat) + le32(diretorio) + le32(0) + le32(4096) + le32(0xFFFFFFFE) + le32(0) +
                     le32(0xFFFFFFFE) + le32(0));
    for (int i = 0; i < 109; ++i) por(cab, 76 + 4 * i, le32(quint32(i) < setoresFat ? quint32(i) : 0xFFFFFFFF));
    QByteArray fat;
    for (quint32 i = 0; i < setoresFat; ++i) fat += le32(0xFFFFFFFD);
    fat += le32(0xFFFFFFFE);  // the directory
    for (quint32 i = 0; i < setoresFluxo; ++i) fat += le32(i + 1 < setoresFluxo ? inicioFluxo + i + 1 : 0xFFFFFFFE);
    fat.append(QByteArray(qsizetype(setoresFat) * 512 - fat.size(), '\xFF'));
    auto entrada = [&](const QString& n, int tipo, quint32 filho, quint32 inicio, quint32 tamanho) {
      QByteArray e(128, '\0');
      for (qsizetype i = 0; i < n.size(); ++i) por(e, int(2 * i), le16(n[i].unicode()));
      por(e, 64, le16(quint32(2 * (n.size() + 1))));
      e[66] = char(tipo);
      e[67] = 1;
      por(e, 68, le32(0xFFFFFFFF) + le32(0xFFFFFFFF) + le32(filho));
      por(e, 116, le32(inicio) + le32(tamanho));
      return e;
    };
    QByteArray dir = entrada(QStringLiteral("Root Entry"), 5, 1, 0xFFFFFFFE, 0) +
                     entrada(nome, 2, 0xFFFFFFFF, inicioFluxo, quint32(fluxo.size()));
    while (dir.size() < 512) dir += entrada(QString(), 0, 0xFFFFFFFF, 0, 0);
    return cab + fat + dir + fluxo;
  }
  static bool gravarOle(const QString& caminho, const QByteArray& fluxo, const QString& nome) {
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly) && f.write(ole(fluxo, nome)) >= 0;
  }
};

}  // namespace mivo::teste
