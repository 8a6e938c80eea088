#include <gtest/gtest.h>

#include <QImage>

#include "unImagensMensagem.h"

using namespace mivo;

TEST(ImagensMensagem, UmaImagemPropriaPorTipoENenhumaForaDeles) {
  QList<QImage> imagens;
  for (int tipo = 1; tipo <= 6; ++tipo) {
    const QPixmap p = imagemDoTipo(tipo);
    ASSERT_FALSE(p.isNull()) << tipo;
    EXPECT_EQ(p.size(), QSize(80, 80));
    const QImage img = p.toImage();
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << tipo;          // corners stay transparent
    EXPECT_GT(qAlpha(img.pixel(40, 70)), 0) << tipo;        // the picture fills the middle
    for (int outro = 0; outro < imagens.size(); ++outro) EXPECT_NE(img, imagens[outro]) << tipo << " = " << outro + 1;
    imagens << img;
  }
  EXPECT_TRUE(imagemDoTipo(0).isNull());
  EXPECT_TRUE(imagemDoTipo(7).isNull());
}
