#include "unImagemArquivo.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace mivo {

namespace {

QString motivo(const QImageReader& leitor, const QString& caminho) {
  switch (leitor.error()) {
    case QImageReader::FileNotFoundError:
      return QStringLiteral("o arquivo \"%1\" não foi encontrado").arg(caminho);
    case QImageReader::UnsupportedFormatError:
      return QStringLiteral("o arquivo \"%1\" não é uma imagem em formato conhecido").arg(caminho);
    case QImageReader::InvalidDataError:
      return QStringLiteral("a imagem do arquivo \"%1\" está danificada ou é grande demais").arg(caminho);
    case QImageReader::DeviceError:
      return QStringLiteral("não foi possível ler o arquivo \"%1\"").arg(caminho);
    default:
      return QStringLiteral("não foi possível carregar a imagem do arquivo \"%1\"").arg(caminho);
  }
}

// The picture as PNG would hold it (what a GIF becomes before it is copied).
QImage comoPng(const QImage& origem) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!origem.save(&buffer, "PNG")) return origem;
  QImage png;
  return png.loadFromData(bytes, "PNG") ? png : origem;
}

}  // namespace

bool lerImagemArquivo(const QString& caminho, ImagemPixels& imagem, QString& erro) {
  QImageReader leitor(caminho);
  QImage origem = leitor.read();
  if (origem.isNull()) {
    erro = motivo(leitor, caminho);
    return false;
  }
  if (caminho.toLower().contains(QLatin1String(".gif"))) origem = comoPng(origem);
  const QImage argb = origem.convertToFormat(QImage::Format_ARGB32);
  imagem.largura = argb.width();
  imagem.altura = argb.height();
  imagem.pixels.resize(static_cast<std::size_t>(argb.width()) * static_cast<std::size_t>(argb.height()));
  for (int y = 0; y < argb.height(); ++y) {
    const auto* linha = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    std::copy(linha, linha + argb.width(), imagem.pixels.begin() + static_cast<std::ptrdiff_t>(y) * argb.width());
  }
  return true;
}

}  // namespace mivo
