#include "unFrmSplash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "ui_unFrmSplash.h"

namespace mivo {

TfrmSplash::TfrmSplash(QWidget* pai) : QWidget(pai), ui(std::make_unique<Ui::TfrmSplash>()) {
  ui->setupUi(this);
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(size());
  gTmFechar.setSingleShot(true);
  gTmFechar.setInterval(kDuracaoMs);
  connect(&gTmFechar, &QTimer::timeout, this, &QWidget::close);
  connect(ui->btnFechar, &QPushButton::clicked, this, &QWidget::close);
}

TfrmSplash::~TfrmSplash() = default;

TfrmSplash* TfrmSplash::exibir() {
  auto* splash = new TfrmSplash;
  if (const QScreen* tela = QGuiApplication::primaryScreen()) {
    const QRect area = tela->availableGeometry();
    splash->move(area.center() - QPoint(splash->width() / 2, splash->height() / 2));
  }
  splash->show();
  splash->raise();
  splash->activateWindow();
  return splash;
}

void TfrmSplash::setEstatisticas(const QString& texto) { ui->lbEstatisticas->setText(texto); }

void TfrmSplash::iniciarFechamento(int ms) { gTmFechar.start(ms); }

void TfrmSplash::paintEvent(QPaintEvent*) {
  // The picture: a deep blue field with the program's name.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fundo(0, 0, width(), height());
  fundo.setColorAt(0, QColor(0x0D, 0x47, 0xA1));
  fundo.setColorAt(1, QColor(0x00, 0x69, 0x5C));
  p.fillRect(rect(), fundo);
  p.setPen(QColor(255, 255, 255, 40));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 4; ++i) p.drawEllipse(QPoint(width() - 90, 90), 60 + i * 45, 60 + i * 45);
  QFont fonte = font();
  fonte.setBold(true);
  fonte.setPixelSize(84);
  p.setFont(fonte);
  p.setPen(Qt::white);
  const QRect titulo(0, height() / 2 - 110, width(), 110);
  p.drawText(titulo, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Mivo"));
  fonte.setBold(false);
  fonte.setPixelSize(20);
  p.setFont(fonte);
  p.drawText(QRect(0, titulo.bottom() + 8, width(), 40), Qt::AlignHCenter | Qt::AlignTop,
             QStringLiteral("Scripts de automação e marketing"));
}

void TfrmSplash::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(evento);
}

void TfrmSplash::mousePressEvent(QMouseEvent*) { close(); }

}  // namespace mivo
