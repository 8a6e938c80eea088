#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unCLLista.h"
#include "unFrmMsg.h"
#include "unFrmProgress.h"
#include "unPastaBaseTeste.h"

using namespace mivo;

namespace {

struct Vista {
  QString operacao, legenda1, legenda2, legenda3;
  int valor, maximo;
  bool operator==(const Vista&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Vista& v) {
  return os << '[' << v.operacao.toStdString() << '|' << v.legenda1.toStdString() << '|'
            << v.legenda2.toStdString() << '|' << v.legenda3.toStdString() << '|' << v.valor << '/' << v.maximo
            << ']';
}

Vista vista(TfrmProgress& j) {
  auto texto = [&](const char* nome) { return j.findChild<QLabel*>(QLatin1String(nome))->text(); };
  auto* barra = j.findChild<QProgressBar*>(QStringLiteral("Gauge1"));
  return {texto("lbOperacao"), texto("lbLegenda1"), texto("lbLegenda2"), texto("lbLegenda3"), barra->value(),
          barra->maximum()};
}

QPushButton* cancelar(TfrmProgress& j) { return j.findChild<QPushButton*>(QStringLiteral("btnCancelar")); }

}  // namespace

TEST(FrmProgress, AbrirMostraTudoEComecaDoZero) {
  TfrmProgress janela;
  EXPECT_EQ(janela.windowTitle(), QStringLiteral("Aguarde..."));
  EXPECT_FALSE(janela.findChild<QProgressBar*>(QStringLiteral("Gauge1"))->isTextVisible());
  janela.setProgress(QStringLiteral("Velha"), 5, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
  janela.stepProgress({}, {}, {});
  janela.setCancelarVisivel(false);
  janela.hide();

  janela.setProgress(QStringLiteral("Carregando dados..."), 250, QStringLiteral("Total de registros: 2.500"), {}, {});
  EXPECT_TRUE(janela.isVisible());
  EXPECT_TRUE(cancelar(janela)->isVisible());  // shown again with the window
  EXPECT_EQ(cancelar(janela)->text(), QStringLiteral("Cancelar"));
  EXPECT_EQ(vista(janela), (Vista{QStringLiteral("Carregando dados..."), QStringLiteral("Total de registros: 2.500"),
                                  {}, {}, 0, 250}));
  EXPECT_EQ(janela.posicao(), 0);
  EXPECT_FALSE(janela.cancelou());
}

TEST(FrmProgress, PassoAvancaUmESoTrocaAsLegendasDadas) {
  TfrmProgress janela;
  janela.setProgress(QStringLiteral("Op"), 2, QStringLiteral("L1"), QStringLiteral("L2"), QStringLiteral("L3"));
  const struct {
    const char *l1, *l2, *l3;
    Vista depois;
  } passos[] = {
      {"", "", "", {"Op", "L1", "L2", "L3", 1, 2}},  // empty legends: only the bar moves
      {"", "Processados: 10", "", {"Op", "L1", "Processados: 10", "L3", 2, 2}},
      {"N1", "", "N3", {"Op", "N1", "Processados: 10", "N3", 2, 2}},  // past the maximum: the bar stays full
  };
  for (const auto& p : passos) {
    janela.stepProgress(QString::fromUtf8(p.l1), QString::fromUtf8(p.l2), QString::fromUtf8(p.l3));
    EXPECT_EQ(vista(janela), p.depois);
  }
  EXPECT_EQ(janela.posicao(), 3);

  // Fewer than ten items make a maximum of 0: the bar is not a busy indicator.
  janela.setProgress(QStringLiteral("Op"), 0, {}, {}, {});
  EXPECT_GT(vista(janela).maximo, 0);
  janela.stepProgress({}, {}, {});
  EXPECT_EQ(vista(janela).valor, vista(janela).maximo);

  janela.zerarLegendas();
  EXPECT_EQ(vista(janela), (Vista{{}, {}, {}, {}, 0, vista(janela).maximo}));
}

TEST(FrmProgress, ChamadasComCodigoSoValemParaOCodigoReservado) {
  const struct {
    int reservado, codigo;
    bool age;
  } casos[] = {{0, 0, true}, {0, 5, false}, {5, 0, true}, {5, 5, true}, {5, 7, false}};
  for (const auto& c : casos) {
    SCOPED_TRACE(testing::Message() << c.reservado << " " << c.codigo);
    TfrmProgress janela;
    janela.setBloqueadoCode(c.reservado);
    janela.setProgress(QStringLiteral("Op"), 10, QStringLiteral("L1"), {}, {});
    janela.setProgress(QStringLiteral("Outra"), 20, QStringLiteral("M1"), {}, {}, c.codigo);
    EXPECT_EQ(vista(janela).operacao, c.age ? QStringLiteral("Outra") : QStringLiteral("Op"));
    janela.stepProgress({}, QStringLiteral("P"), {}, c.codigo);
    EXPECT_EQ(janela.posicao(), c.age ? 1 : 0);
    EXPECT_EQ(vista(janela).legenda2, c.age ? QStringLiteral("P") : QString());
  }
}

TEST(FrmProgress, CancelarPerguntaAntes) {
  enum class Como { Botao, Esc };
  const struct {
    Como como;
    bool sim;
  } casos[] = {{Como::Botao, true}, {Como::Botao, false}, {Como::Esc, true}, {Como::Esc, false}};
  for (const auto& c : casos) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.como) << c.sim);
    TfrmProgress janela;
    janela.setProgress(QStringLiteral("Op"), 10, {}, {}, {});
    QString pergunta;
    teste::CLEsperaModal<TfrmMsg> espera([&](TfrmMsg& j) {
      pergunta = j.findChild<QLabel*>(QStringLiteral("lbMsg"))->text();
      QTest::mouseClick(j.findChild<QPushButton*>(c.sim ? QStringLiteral("btnOk") : QStringLiteral("btnCancelar")),
                        Qt::LeftButton);
    });
    if (c.como == Como::Botao)
      QTest::mouseClick(cancelar(janela), Qt::LeftButton);
    else
      teste::tecla(&janela, Qt::Key_Escape);
    ASSERT_TRUE(espera.atendida());
    EXPECT_EQ(pergunta, QStringLiteral("Deseja cancelar esse processamento?"));
    EXPECT_EQ(janela.cancelou(), c.sim);
    EXPECT_EQ(janela.progressoCancelado(), c.sim);
    EXPECT_EQ(janela.isVisible(), !c.sim);
    // A new progress starts uncancelled.
    janela.setProgress(QStringLiteral("Op"), 10, {}, {}, {});
    EXPECT_FALSE(janela.cancelou());
  }
}

// The table's paste reports through the window and stops where the user
// cancelled.
TEST(FrmProgress, ServeAsOperacoesDaTabela) {
  teste::CLPastaBaseTeste base;
  CLLista lista(base.filePath(QStringLiteral("recentes.txt")));
  TfrmProgress janela;
  QString texto = QStringLiteral("nome;email\r\n");
  for (int i = 0; i < 40; ++i) texto += QStringLiteral("n%1;e%1\r\n").arg(i);

  EXPECT_TRUE(lista.colarCheck(texto, &janela));
  EXPECT_FALSE(janela.isVisible());  // closed at the end
  EXPECT_EQ(vista(janela), (Vista{QStringLiteral("Carregando dados..."), QStringLiteral("Total de registros: 41"),
                                  QStringLiteral("Processados: 40"), {}, 4, 4}));

  // Cancelling at the first pump: the paste stops early.
  CLLista outra(base.filePath(QStringLiteral("recentes.txt")));
  teste::CLEsperaModal<TfrmMsg> espera(
      [](TfrmMsg& j) { QTest::mouseClick(j.findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton); });
  QTimer::singleShot(0, &janela, [&] { QTest::mouseClick(cancelar(janela), Qt::LeftButton); });
  EXPECT_FALSE(outra.colarCheck(texto, &janela));
  EXPECT_TRUE(espera.atendida());
  EXPECT_LT(outra.gridDados.RowCount(), 42);
}
