#include "unImagensMensagem.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "unRegrasDialogos.h"

namespace mivo {

namespace {

// A glyph centred in `area`, in white bold type.
void desenharSinal(QPainter& p, const QRectF& area, const QString& sinal, qreal altura) {
  QFont fonte = p.font();
  fonte.setBold(true);
  fonte.setPixelSize(static_cast<int>(altura));
  p.setFont(fonte);
  p.setPen(Qt::white);
  p.drawText(area, Qt::AlignCenter, sinal);
}

void desenharCirculo(QPainter& p, const QRectF& area, const QColor& cor) {
  p.setPen(Qt::NoPen);
  p.setBrush(cor);
  p.drawEllipse(area);
}

}  // namespace

QPixmap imagemDoTipo(int tipo, int lado) {
  if (!tipoMensagemValido(tipo) || lado <= 0) return {};
  QPixmap imagem(lado, lado);
  imagem.fill(Qt::transparent);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = lado;
  const QRectF area(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
  switch (tipo) {
    case kTipoInformacao:
      desenharCirculo(p, area, QColor(0x1E, 0x6F, 0xC8));
      desenharSinal(p, area, QStringLiteral("i"), s * 0.6);
      break;
    case kTipoErro: {
      desenharCirculo(p, area, QColor(0xD3, 0x2F, 0x2F));
      QPen caneta(Qt::white, s * 0.1, Qt::SolidLine, Qt::RoundCap);
      p.setPen(caneta);
      const qreal a = s * 0.33, b = s * 0.67;
      p.drawLine(QPointF(a, a), QPointF(b, b));
      p.drawLine(QPointF(a, b), QPointF(b, a));
      break;
    }
    case kTipoAviso: {
      QPainterPath triangulo;
      triangulo.addPolygon(QPolygonF({QPointF(s * 0.5, s * 0.06), QPointF(s * 0.96, s * 0.9),
                                      QPointF(s * 0.04, s * 0.9), QPointF(s * 0.5, s * 0.06)}));
      p.setPen(QPen(QColor(0xE0, 0x9A, 0x00), s * 0.04, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(QColor(0xF5, 0xB3, 0x00));
      p.drawPath(triangulo);
      desenharSinal(p, QRectF(0, s * 0.25, s, s * 0.65), QStringLiteral("!"), s * 0.5);
      break;
    }
    case kTipoPergunta:
      desenharCirculo(p, area, QColor(0x2E, 0x7D, 0x32));
      desenharSinal(p, area, QStringLiteral("?"), s * 0.6);
      break;
    case kTipoDica: {
      desenharCirculo(p, area, QColor(0xF9, 0xA8, 0x25));
      // A lamp: the bulb, and its base in two stripes.
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(s * 0.32, s * 0.18, s * 0.36, s * 0.36));
      p.drawRect(QRectF(s * 0.4, s * 0.48, s * 0.2, s * 0.14));
      p.drawRoundedRect(QRectF(s * 0.39, s * 0.65, s * 0.22, s * 0.06), s * 0.02, s * 0.02);
      p.drawRoundedRect(QRectF(s * 0.42, s * 0.74, s * 0.16, s * 0.06), s * 0.02, s * 0.02);
      break;
    }
    case kTipoAjuda:
      desenharCirculo(p, area, QColor(0x6A, 0x1B, 0x9A));
      desenharSinal(p, area, QStringLiteral("?"), s * 0.6);
      break;
  }
  return imagem;
}

}  // namespace mivo
