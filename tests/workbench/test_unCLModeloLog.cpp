#include "unCLModeloLog.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace mivo {
namespace {

const QTime kHora(14, 5, 9);

TEST(CLModeloLog, PausadoNoInicioSoDevolveAEntrada) {
  CLModeloLog log;
  EXPECT_TRUE(log.pausado());
  EXPECT_EQ(log.setLogGeral(QStringLiteral("Olá"), CorLog::Texto, kHora), QStringLiteral("14:05:09 - Olá"));
  EXPECT_EQ(log.rowCount(), 0);
  log.editLogGeral(QStringLiteral("OK"));
  EXPECT_EQ(log.rowCount(), 0);
}

TEST(CLModeloLog, EntradasComCorEAcrescimoNaUltima) {
  CLModeloLog log;
  log.setPausado(false);
  log.editLogGeral(QStringLiteral("nada"));  // empty log: nothing to extend
  EXPECT_EQ(log.rowCount(), 0);
  log.setLogGeral(QStringLiteral("Linha: [3] Executando {X... }"), CorLog::Texto, kHora);
  log.setLogGeral(QStringLiteral("Linha: 4 | Y - erro"), CorLog::Vermelho, kHora);
  log.editLogGeral(QStringLiteral(":FALHA"));
  ASSERT_EQ(log.rowCount(), 2);
  EXPECT_EQ(log.texto(1), QStringLiteral("14:05:09 - Linha: 4 | Y - erro :FALHA"));
  EXPECT_EQ(log.cor(1), CorLog::Vermelho);
  EXPECT_EQ(log.data(log.index(1), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
  EXPECT_FALSE(log.data(log.index(0), Qt::ForegroundRole).isValid());
  EXPECT_EQ(CLModeloLog::corDesenho(CorLog::Texto, Qt::darkBlue), QColor(Qt::darkBlue));
  log.zerar();
  EXPECT_EQ(log.rowCount(), 0);
}

TEST(CLModeloLog, NoMaximoMilEntradasSaiAMaisAntiga) {
  CLModeloLog log;
  log.setPausado(false);
  for (int i = 1; i <= 1001; ++i) log.setLogGeral(QString::number(i), CorLog::Texto, kHora);
  ASSERT_EQ(log.rowCount(), CLModeloLog::kMaxEntradas);
  EXPECT_EQ(log.texto(0), QStringLiteral("14:05:09 - 2"));
  EXPECT_EQ(log.texto(999), QStringLiteral("14:05:09 - 1001"));
}

TEST(CLModeloLog, EntradaLongaEhCortada) {
  CLModeloLog log;
  log.setPausado(false);
  log.setLogGeral(QString(20000, u'a'), CorLog::Texto, kHora);
  EXPECT_EQ(log.texto(0).size(), CLModeloLog::kMaxCaracteres);
  EXPECT_TRUE(log.texto(0).endsWith(u'…'));
}

}  // namespace
}  // namespace mivo
