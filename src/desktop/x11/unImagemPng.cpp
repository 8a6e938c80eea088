#include "unImagemPng.h"

#include <QBuffer>
#include <QImage>

namespace mivo {

std::string pngDaImagem(const ImagemPixels& imagem) {
  if (imagem.largura <= 0 || imagem.altura <= 0 ||
      imagem.pixels.size() != static_cast<std::size_t>(imagem.largura) * imagem.altura) {
    return {};
  }
  // 0xAARRGGBB row by row is exactly QImage's ARGB32 layout.
  const QImage quadro(reinterpret_cast<const uchar*>(imagem.pixels.data()), imagem.largura, imagem.altura,
                      imagem.largura * 4, QImage::Format_ARGB32);
  QByteArray bytes;
  QBuffer saida(&bytes);
  saida.open(QIODevice::WriteOnly);
  if (!quadro.save(&saida, "PNG")) return {};
  return bytes.toStdString();
}

}  // namespace mivo
