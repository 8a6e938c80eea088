#include "unFrmStart.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unFrmGetValue.h"
#include "unFrmMsg.h"
#include "unRespostaMsg.h"
#include "unUtil.h"

namespace mivo {

// For readable failures.
inline void PrintTo(const VariavelParametro& v, std::ostream* os) {
  *os << v.nome.toStdString() << "=" << v.valor.toStdString();
}

namespace {

using teste::CLResposta;
using teste::filho;

// The workbench as the window sees it: answers set by the test, calls
// recorded.
class CLBancadaFalsa : public CLBancadaParametros {
 public:
  bool dados = false, texto = false, rodou = false;
  QString info, secao, caminho;
  ExigenciasScript exigidas;
  QList<AbaBancada> abas;
  int naoSalvo = 0, fechadas = 0;
  QList<QList<VariavelParametro>> execucoes;
  std::function<void(AbaBancada)> aoMostrarAba;

  bool primeiraLinhaComDados() const override { return dados; }
  bool temTextoAuxiliar() const override { return texto; }
  QString textoInformacoes() const override { return info; }
  bool jaRodou() const override { return rodou; }
  ExigenciasScript exigencias() const override { return exigidas; }
  QString caminhoScript() const override { return caminho; }
  QString secaoParametros() const override { return secao; }
  void marcarNaoSalvo() override { ++naoSalvo; }
  void mostrarAbaBancada(AbaBancada aba) override {
    abas.append(aba);
    if (aoMostrarAba) aoMostrarAba(aba);
  }
  void iniciarExecucao(const QList<VariavelParametro>& variaveis) override {
    execucoes.append(variaveis);
    rodou = true;
  }
  void fechadaSemExecucao() override { ++fechadas; }
};

QByteArray lerBytes(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<sem arquivo>");
}

QList<VariavelParametro> vars(std::initializer_list<std::pair<const char*, const char*>> lista) {
  QList<VariavelParametro> r;
  for (const auto& [n, v] : lista) r.append({QString::fromUtf8(n), QString::fromUtf8(v)});
  return r;
}

class FrmStart : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gDir.isValid()); }
  void TearDown() override {
    delete gJanela.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Creates and shows the window as the workbench does: the remembered
  // values, the section, the choice lists, the title.
  TfrmStart& abrir(const QString& secao) {
    delete gJanela.data();
    gBancada.secao = secao;
    gJanela = new TfrmStart(gBancada);
    gJanela->setEscolherArquivo([this](QWidget*, const QString& filtro, const QString&) {
      ++gDialogosArquivo;
      gFiltro = filtro;
      return gProximoArquivo;
    });
    QStringList lista = dividirLinhas(secao);
    gLidoDoArquivo = gJanela->carregarAnterior(lista);
    gJanela->loadConfig(lista.join(QLatin1String("\r\n")));
    gJanela->identificaCombos();
    gJanela->setTitulo(QString());
    gJanela->show();
    return *gJanela;
  }
  QString script(const QString& nome) { return gDir.filePath(nome); }
  QString criar(const QString& nome, const QByteArray& bytes) {
    QFile f(gDir.filePath(nome));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  }
  QTableWidget* grade() { return filho<QTableWidget>(*gJanela, "gridDados"); }
  QString celula(int linha, int coluna) {
    const QTableWidgetItem* item = grade()->item(linha, coluna);
    return item ? item->text() : QStringLiteral("<sem célula>");
  }
  QStringList linhaDaGrade(int linha) { return {celula(linha, 0), celula(linha, 1), celula(linha, 2)}; }
  QComboBox* combo() { return filho<QComboBox>(*gJanela, "cmbOpcoes"); }
  QPushButton* botao(const char* nome) { return filho<QPushButton>(*gJanela, nome); }
  QLabel* rotulo(const char* nome) { return filho<QLabel>(*gJanela, nome); }
  QTabWidget* paginas() { return filho<QTabWidget>(*gJanela, "pgcParametros"); }
  void clicar(const char* nome) { QTest::mouseClick(botao(nome), Qt::LeftButton); }
  void ativar() {
    QEvent ativa(QEvent::WindowActivate);
    QApplication::sendEvent(gJanela.data(), &ativa);
  }
  // Whether the window has closed and been freed.
  bool fechou() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return gJanela.isNull();
  }
  // What the folder holds: names and contents.
  QMap<QString, QByteArray> conteudoDaPasta() {
    QMap<QString, QByteArray> r;
    for (const QFileInfo& i : QDir(gDir.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
      r.insert(i.fileName(), i.isDir() ? QByteArray("<pasta>") : lerBytes(i.filePath()));
    return r;
  }

  QTemporaryDir gDir;
  CLBancadaFalsa gBancada;
  QPointer<TfrmStart> gJanela;
  bool gLidoDoArquivo = false;
  int gDialogosArquivo = 0;
  QString gFiltro, gProximoArquivo;
};

TEST_F(FrmStart, LegendasEJanela) {
  TfrmStart& j = abrir(QStringLiteral("nome=Ana"));
  EXPECT_EQ(j.windowTitle(), QStringLiteral("Inicialização do Script"));
  EXPECT_TRUE(j.isWindow());
  EXPECT_FALSE(j.isModal());
  EXPECT_GE(j.width(), 700);
  EXPECT_EQ(botao("btnRodar")->text(), QStringLiteral("&Rodar o script"));
  EXPECT_TRUE(botao("btnRodar")->font().bold());
  EXPECT_EQ(botao("btnCancelar")->text(), QStringLiteral("&Cancelar"));
  EXPECT_EQ(botao("btnPadrao")->toolTip(), QStringLiteral("Carrega os valores padrões nos parâmetros"));
  EXPECT_EQ(paginas()->tabText(0), QStringLiteral("Requisitos"));
  EXPECT_EQ(paginas()->tabText(1), QStringLiteral("Configurações"));
  EXPECT_EQ(grade()->columnCount(), 3);

  const struct {
    const char* titulo;
    const char* descricao;
    const char* tituloVisto;
    const char* descricaoVista;
  } casos[] = {
      {"", "", "Confirme os dados de inicialização do script", "Execução de script"},
      {"Envio de boas-vindas", "Linha 1\\nLinha 2", "Envio de boas-vindas", "Linha 1\nLinha 2"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.titulo);
    abrir(QStringLiteral("nome=Ana"));
    gJanela->setTitulo(QString::fromUtf8(c.titulo));
    gJanela->setDescricao(QString::fromUtf8(c.descricao));
    EXPECT_EQ(rotulo("lbTitle")->text(), QString::fromUtf8(c.tituloVisto));
    EXPECT_EQ(rotulo("lbDescricao")->text(), QString::fromUtf8(c.descricaoVista));
  }
}

TEST_F(FrmStart, EscolhaVaiParaAFrenteNoArquivoENaVariavel) {
  // How the user leaves the drop-down: it closes, or "&Rodar o script" is
  // pressed while it is still open.
  for (const bool fecharAntes : {true, false}) {
    SCOPED_TRACE(fecharAntes ? "fechada" : "aberta");
    gBancada = CLBancadaFalsa();
    gBancada.caminho = script(QStringLiteral("envio.mivo"));
    QFile::remove(gDir.filePath(QStringLiteral("envio.params")));
    abrir(QStringLiteral("tipo=x;y;z // Modo\r\nnome=Ana"));
    EXPECT_EQ(celula(0, 1), QStringLiteral("x"));
    EXPECT_EQ(gJanela->listaCombo(), (QStringList{"x;y;z", "#/"}));

    // A plain row's value gets no drop-down.
    grade()->setCurrentCell(1, 1);
    EXPECT_TRUE(combo()->isHidden());
    grade()->setCurrentCell(0, 1);
    ASSERT_FALSE(combo()->isHidden());
    EXPECT_EQ(combo()->count(), 3);
    EXPECT_EQ(combo()->currentText(), QStringLiteral("x"));
    EXPECT_TRUE(grade()->visualItemRect(grade()->item(0, 1)).contains(combo()->geometry()));

    combo()->setCurrentIndex(2);
    if (fecharAntes) {
      gJanela->cmbOpcoesExit();
      EXPECT_TRUE(combo()->isHidden());
      EXPECT_EQ(celula(0, 1), QStringLiteral("z"));
      EXPECT_EQ(gJanela->listaCombo().first(), QStringLiteral("z;x;y"));
    }
    clicar("btnRodar");
    ASSERT_EQ(gBancada.execucoes.size(), 1);
    EXPECT_EQ(gBancada.execucoes[0], vars({{"tipo", "z"}, {"nome", "Ana"}}));
    EXPECT_EQ(lerBytes(gDir.filePath(QStringLiteral("envio.params"))), QByteArray("tipo=z;x;y// Modo\r\nnome=Ana\r\n"));
    EXPECT_TRUE(fechou());
    EXPECT_EQ(gBancada.fechadas, 0);

    // The next window starts from the remembered choice.
    abrir(QStringLiteral("tipo=x;y;z // Modo\r\nnome=Ana"));
    EXPECT_TRUE(gLidoDoArquivo);
    EXPECT_EQ(celula(0, 1), QStringLiteral("z"));
    EXPECT_EQ(gJanela->listaCombo().first(), QStringLiteral("z;x;y"));
  }
}

TEST_F(FrmStart, DescricoesVoltamComoForamGravadas) {
  gBancada.caminho = script(QStringLiteral("envio.mivo"));
  const struct {
    const char* secao;
    const char* gravada;
  } casos[] = {
      {"a=1 // desc um", "a=1// desc um"},
      {"b=\"  dois \" // d", "b=\"  dois \"// d"},
      {"c=3//sem espaço", "c=3//sem espaço"},
      {"d=João // Descrição com acentos", "d=João// Descrição com acentos"},
      {"  e =  5   //   x  ", "e=5// x"},
      {"f=\"entre aspas\"", "f=entre aspas"},
  };
  QStringList secao, esperado;
  for (const auto& c : casos) {
    secao.append(QString::fromUtf8(c.secao));
    esperado.append(QString::fromUtf8(c.gravada));
  }
  abrir(secao.join(QLatin1String("\r\n")));
  QList<QStringList> vistas;
  for (int i = 0; i < grade()->rowCount(); ++i) vistas.append(linhaDaGrade(i));
  EXPECT_EQ(vistas[0], (QStringList{"a", "1", "desc um"}));
  EXPECT_EQ(vistas[2], (QStringList{"c", "3//sem espaço", ""}));
  clicar("btnRodar");
  const QString params = gDir.filePath(QStringLiteral("envio.params"));
  const QByteArray bytes = lerBytes(params);
  // Plain text in Windows-1252, as the other text files.
  EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
  EXPECT_TRUE(bytes.contains("Jo\xE3o"));
  EXPECT_EQ(decodificarTexto(bytes), esperado.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));

  // Read back, the grid shows the same, and the file is written the same.
  abrir(secao.join(QLatin1String("\r\n")));
  ASSERT_TRUE(gLidoDoArquivo);
  for (int i = 0; i < grade()->rowCount(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(linhaDaGrade(i), vistas[i]);
  }
  clicar("btnRodar");
  EXPECT_EQ(lerBytes(params), bytes);
}

TEST_F(FrmStart, LinhaInseridaEhSimples) {
  gBancada.caminho = script(QStringLiteral("envio.mivo"));
  abrir(QStringLiteral("tipo=x;y"));
  auto inserir = [this](const QString& resposta, bool ok) {
    teste::CLEsperaModal<TfrmGetValue> espera([&](TfrmGetValue& j) {
      EXPECT_EQ(filho<QLabel>(j, "lbtitle")->text(), QStringLiteral("Nome da variável:"));
      filho<QPlainTextEdit>(j, "mmoValor")->setPlainText(resposta);
      if (ok)
        QTest::mouseClick(filho<QPushButton>(j, "btnOk"), Qt::LeftButton);
      else
        j.reject();
    });
    clicar("btnInserirLinha");
    EXPECT_TRUE(espera.atendida());
  };
  // Nothing is added for an empty name or a cancel.
  const struct {
    const char* resposta;
    bool ok;
  } recusadas[] = {{"", true}, {"   ", true}, {"extra", false}};
  for (const auto& c : recusadas) {
    SCOPED_TRACE(c.resposta);
    inserir(QString::fromUtf8(c.resposta), c.ok);
    EXPECT_EQ(grade()->rowCount(), 1);
    EXPECT_EQ(gBancada.naoSalvo, 0);
  }

  inserir(QStringLiteral("extra"), true);
  inserir(QStringLiteral("  outra  "), true);
  ASSERT_EQ(grade()->rowCount(), 3);
  EXPECT_EQ(gBancada.naoSalvo, 2);
  EXPECT_EQ(linhaDaGrade(1), (QStringList{"extra", "", ""}));
  EXPECT_EQ(celula(2, 0), QStringLiteral("outra"));
  EXPECT_EQ(gJanela->listaCombo(), (QStringList{"x;y", "#/", "#/"}));
  // A value with ";" typed into an added row is plain text.
  grade()->item(1, 1)->setText(QStringLiteral("a;b"));
  for (int linha : {1, 2}) {
    grade()->setCurrentCell(linha, 1);
    EXPECT_TRUE(combo()->isHidden()) << linha;
    EXPECT_TRUE(grade()->item(linha, 1)->flags() & Qt::ItemIsEditable);
  }
  EXPECT_FALSE(grade()->item(0, 1)->flags() & Qt::ItemIsEditable);
  clicar("btnRodar");
  ASSERT_EQ(gBancada.execucoes.size(), 1);
  EXPECT_EQ(gBancada.execucoes[0], vars({{"tipo", "x"}, {"extra", "a;b"}, {"outra", ""}}));
  EXPECT_EQ(lerBytes(gDir.filePath(QStringLiteral("envio.params"))), QByteArray("tipo=x;y\r\nextra=a;b\r\noutra=\r\n"));
}

TEST_F(FrmStart, RequisitosRecusamAteSeremAtendidos) {
  enum class Exige { Dados, Texto, Config };
  for (const Exige exige : {Exige::Dados, Exige::Texto, Exige::Config}) {
    SCOPED_TRACE(static_cast<int>(exige));
    gBancada = CLBancadaFalsa();
    gBancada.exigidas = {exige == Exige::Dados, exige == Exige::Texto, exige == Exige::Config};
    abrir(QStringLiteral("nome=Ana"));
    const char* nomeRotulo = exige == Exige::Dados ? "lbDados" : exige == Exige::Texto ? "lbTexto" : "lbConfig";
    QLabel* lb = rotulo(nomeRotulo);
    EXPECT_EQ(paginas()->currentIndex(), 0);
    EXPECT_TRUE(paginas()->tabBar()->isVisible());
    EXPECT_EQ(lb->text(), QStringLiteral("Pendente"));
    EXPECT_EQ(lb->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
    EXPECT_TRUE(lb->isVisible());
    EXPECT_EQ(botao("btnDados")->isEnabled(), exige == Exige::Dados);
    EXPECT_EQ(rotulo("lbDados")->isVisible(), exige == Exige::Dados);
    EXPECT_EQ(botao("btnTexto")->isEnabled(), exige == Exige::Texto);
    EXPECT_EQ(rotulo("lbTexto")->isVisible(), exige == Exige::Texto);
    EXPECT_EQ(botao("btnConfig")->isEnabled(), exige == Exige::Config);
    EXPECT_FALSE(gJanela->destaqueRodar());

    if (exige != Exige::Config) paginas()->setCurrentIndex(1);
    {
      CLResposta erro;
      clicar("btnRodar");
      EXPECT_EQ(erro.texto(), QStringLiteral("Primeiro verifique as pendências!"));
    }
    EXPECT_TRUE(gBancada.execucoes.isEmpty());
    EXPECT_EQ(paginas()->currentIndex(), 0);
    ASSERT_FALSE(gJanela.isNull());
    EXPECT_TRUE(gJanela->isVisible());

    switch (exige) {
      case Exige::Dados:
      case Exige::Texto: {
        // The workbench answers with its own tab change: no second call.
        gBancada.aoMostrarAba = [this, exige](AbaBancada) {
          if (exige == Exige::Dados) gJanela->setarDadosOk(); else gJanela->setarTextoOk();
        };
        clicar(exige == Exige::Dados ? "btnDados" : "btnTexto");
        EXPECT_EQ(gBancada.abas, QList<AbaBancada>{exige == Exige::Dados ? AbaBancada::Dados : AbaBancada::TextoAuxiliar});
        const QString aviso = exige == Exige::Dados ? QStringLiteral("A lista precisa ter dados")
                                                    : QStringLiteral("Precisa definir um texto");
        EXPECT_EQ(lb->text(), aviso);
        // Back without loading anything: still pending.
        ativar();
        EXPECT_EQ(lb->text(), aviso);
        EXPECT_FALSE(gJanela->podeRodar());
        // Loaded in the workbench, then back.
        (exige == Exige::Dados ? gBancada.dados : gBancada.texto) = true;
        ativar();
        break;
      }
      case Exige::Config:
        clicar("btnConfig");
        EXPECT_EQ(paginas()->currentIndex(), 1);
        break;
    }
    EXPECT_EQ(lb->text(), QStringLiteral("OK"));
    EXPECT_EQ(lb->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));
    EXPECT_TRUE(gJanela->destaqueRodar());
    clicar("btnRodar");
    EXPECT_EQ(gBancada.execucoes.size(), 1);
    EXPECT_TRUE(fechou());
  }
}

TEST_F(FrmStart, DadosRemovidosVoltamAFicarPendentes) {
  gBancada.exigidas.dados = true;
  gBancada.dados = true;
  abrir(QStringLiteral("nome=Ana"));
  EXPECT_EQ(rotulo("lbDados")->text(), QStringLiteral("OK"));
  EXPECT_TRUE(gJanela->destaqueRodar());
  gBancada.dados = false;
  ativar();
  EXPECT_EQ(rotulo("lbDados")->text(), QStringLiteral("Pendente"));
  EXPECT_EQ(rotulo("lbDados")->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
  EXPECT_FALSE(gJanela->destaqueRodar());
  CLResposta erro;
  clicar("btnRodar");
  EXPECT_TRUE(erro.atendida());
  EXPECT_TRUE(gBancada.execucoes.isEmpty());
}

TEST_F(FrmStart, SegundaExecucaoOuNadaExigidoPulaRequisitos) {
  const struct {
    const char* nome;
    bool rodou;
    ExigenciasScript exigidas;
  } casos[] = {
      {"segunda execução", true, {true, true, true}},
      {"nada exigido", false, {false, false, false}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    gBancada = CLBancadaFalsa();
    gBancada.rodou = c.rodou;
    gBancada.exigidas = c.exigidas;
    abrir(QStringLiteral("nome=Ana"));
    EXPECT_FALSE(paginas()->isTabVisible(0));
    EXPECT_FALSE(paginas()->tabBar()->isVisible());
    EXPECT_EQ(paginas()->currentIndex(), 1);
    // No data and no text, and still the run may start.
    ativar();
    EXPECT_TRUE(gJanela->destaqueRodar());
    clicar("btnRodar");
    EXPECT_EQ(gBancada.execucoes.size(), 1);
    EXPECT_TRUE(fechou());
  }
}

TEST_F(FrmStart, LinhaSemIgualDaNomeEValorVazios) {
  abrir(QStringLiteral("sem igual\r\n=só valor\r\nx=1 // um\r\napenas // texto"));
  ASSERT_EQ(grade()->rowCount(), 4);
  EXPECT_EQ(linhaDaGrade(0), (QStringList{"", "", ""}));
  EXPECT_EQ(linhaDaGrade(1), (QStringList{"", "só valor", ""}));
  EXPECT_EQ(linhaDaGrade(2), (QStringList{"x", "1", "um"}));
  EXPECT_EQ(linhaDaGrade(3), (QStringList{"", "", ""}));
}

TEST_F(FrmStart, ArquivoDeParametrosDanificadoOuDeOutraCodificacao) {
  QByteArray binario;
  for (int i = 0; i < 512; ++i) binario.append(char((i * 37 + 11) % 256));
  QByteArray utf16("\xFF\xFE", 2);
  for (const QChar c : QStringLiteral("nome=Zé\r\n")) {
    utf16.append(char(c.unicode() & 0xFF));
    utf16.append(char(c.unicode() >> 8));
  }
  const struct {
    const char* nome;
    QByteArray bytes;
    bool lido;
    const char* valor;
  } casos[] = {
      {"Windows-1252", "nome=Jo\xE3o // quem\r\n", true, "João"},
      {"UTF-8 com marca", "\xEF\xBB\xBFnome=Zé\r\n", true, "Zé"},
      {"UTF-8 sem marca", "nome=Zé", true, "Zé"},
      {"UTF-16 com marca", utf16, true, "Zé"},
      {"lixo binário", binario, false, "Ana"},
      {"nulos no meio", QByteArray("nome=Bia\0\x01\x02", 11), false, "Ana"},
      {"UTF-16 partido", QByteArray("\xFF\xFE\x00\xD8", 4), false, "Ana"},
      {"vazio", "", false, "Ana"},
      {"só brancos", "\r\n   \r\n", false, "Ana"},
      {"grande demais", QByteArray(2 * 1024 * 1024, 'a'), false, "Ana"},
  };
  gBancada.caminho = script(QStringLiteral("envio.mivo"));
  const QString params = gDir.filePath(QStringLiteral("envio.params"));
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    criar(QStringLiteral("envio.params"), c.bytes);
    abrir(QStringLiteral("nome=Ana // quem"));
    EXPECT_EQ(gLidoDoArquivo, c.lido);
    EXPECT_EQ(celula(0, 0), QStringLiteral("nome"));
    EXPECT_EQ(celula(0, 1), QString::fromUtf8(c.valor));
    // The damaged file is only replaced by the next run's values.
    EXPECT_EQ(lerBytes(params), c.bytes);
  }
  // A folder where the file would be.
  QFile::remove(params);
  ASSERT_TRUE(QDir(gDir.path()).mkdir(QStringLiteral("envio.params")));
  abrir(QStringLiteral("nome=Ana // quem"));
  EXPECT_FALSE(gLidoDoArquivo);
  EXPECT_EQ(celula(0, 1), QStringLiteral("Ana"));
  // ...cannot be written either: the user is told, and the run starts.
  CLResposta erro;
  clicar("btnRodar");
  EXPECT_TRUE(erro.texto().startsWith(QStringLiteral("Os valores dos parâmetros não foram guardados")))
      << erro.texto().toStdString();
  EXPECT_EQ(gBancada.execucoes.size(), 1);
  EXPECT_TRUE(QFileInfo(params).isDir());
}

TEST_F(FrmStart, ScriptSemMivoNaoUsaArquivoDeParametros) {
  const QStringList caminhos = {QString(), QStringLiteral("envio.txt"), QStringLiteral("envio"),
                                QStringLiteral("envio.mivo.bak"), QStringLiteral("params")};
  for (const QString& nome : caminhos) {
    SCOPED_TRACE(nome.toStdString());
    gBancada = CLBancadaFalsa();
    if (!nome.isEmpty()) {
      // The script holds a line that a parameters file could hold too.
      gBancada.caminho = criar(nome, "nome=Bia\r\n");
    }
    criar(QStringLiteral("envio.params"), "nome=Caio\r\n");
    const QMap<QString, QByteArray> antes = conteudoDaPasta();
    abrir(QStringLiteral("nome=Ana"));
    EXPECT_FALSE(gLidoDoArquivo);
    EXPECT_EQ(celula(0, 1), QStringLiteral("Ana"));
    grade()->item(0, 1)->setText(QStringLiteral("Dora"));
    clicar("btnRodar");
    ASSERT_EQ(gBancada.execucoes.size(), 1);
    EXPECT_EQ(gBancada.execucoes[0], vars({{"nome", "Dora"}}));
    EXPECT_EQ(conteudoDaPasta(), antes);
    EXPECT_TRUE(fechou());
  }
}

TEST_F(FrmStart, CarregarPadraoRestauraASecaoSemTocarNoArquivo) {
  gBancada.caminho = script(QStringLiteral("envio.mivo"));
  const QString params = criar(QStringLiteral("envio.params"), "nome=Bia\r\ntipo=b;a\r\n");
  abrir(QStringLiteral("nome=Ana // quem\r\ntipo=a;b"));
  ASSERT_TRUE(gLidoDoArquivo);
  EXPECT_EQ(linhaDaGrade(0), (QStringList{"nome", "Bia", ""}));
  EXPECT_EQ(celula(1, 1), QStringLiteral("b"));
  grade()->item(0, 1)->setText(QStringLiteral("Caio"));
  // The section as the editor holds it now.
  gBancada.secao = QStringLiteral("nome=Ana // quem\r\ntipo=a;b\r\nnovo=1");
  {
    CLResposta info;
    clicar("btnPadrao");
    EXPECT_EQ(info.texto(), QStringLiteral("Os valores padrões foram restaurados"));
  }
  ASSERT_EQ(grade()->rowCount(), 3);
  EXPECT_EQ(linhaDaGrade(0), (QStringList{"nome", "Ana", "quem"}));
  EXPECT_EQ(celula(1, 1), QStringLiteral("a"));
  EXPECT_EQ(linhaDaGrade(2), (QStringList{"novo", "1", ""}));
  EXPECT_EQ(gJanela->listaCombo(), (QStringList{"#/", "a;b", "#/"}));
  EXPECT_EQ(lerBytes(params), QByteArray("nome=Bia\r\ntipo=b;a\r\n"));
}

TEST_F(FrmStart, CancelarEscOuFecharNaoRoda) {
  enum class Como { Cancelar, Esc, Fechar };
  for (const Como como : {Como::Cancelar, Como::Esc, Como::Fechar}) {
    SCOPED_TRACE(static_cast<int>(como));
    gBancada = CLBancadaFalsa();
    gBancada.rodou = como == Como::Fechar;  // also in a later run
    gBancada.caminho = script(QStringLiteral("envio.mivo"));
    abrir(QStringLiteral("nome=Ana"));
    switch (como) {
      case Como::Cancelar: clicar("btnCancelar"); break;
      case Como::Esc: teste::tecla(gJanela.data(), Qt::Key_Escape); break;
      case Como::Fechar: gJanela->close(); break;
    }
    EXPECT_TRUE(fechou());
    EXPECT_EQ(gBancada.fechadas, 1);
    EXPECT_TRUE(gBancada.execucoes.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(gDir.filePath(QStringLiteral("envio.params"))));
  }
}

TEST_F(FrmStart, ArquivoPeloBotaoOuDuploClique) {
  abrir(QStringLiteral("pasta_arquivo=/x/a.txt // Arquivo de entrada\r\nnome=Ana\r\nmodo=a;b"));
  // The designed filter, as Qt reads it.
  auto escolher = [this](int linha, const QString& resposta) {
    gProximoArquivo = resposta;
    grade()->setCurrentCell(linha, 0);
    clicar("btnFileSet");
  };
  escolher(0, QStringLiteral("  /y/foto.png  "));
  EXPECT_EQ(celula(0, 1), QStringLiteral("/y/foto.png"));
  const QStringList filtros = gFiltro.split(QLatin1String(";;"));
  ASSERT_EQ(filtros.size(), 11);
  EXPECT_TRUE(filtros[0].startsWith(QStringLiteral("Todos os formatos (*.gif *.png *.jpg *.jpeg *.bmp")));
  EXPECT_TRUE(filtros[0].endsWith(QStringLiteral("*.avi *.mp4)")));
  EXPECT_EQ(filtros[1], QStringLiteral("GIF (*.gif)"));
  EXPECT_EQ(filtros[6], QStringLiteral("PDF (*.pdf)"));
  EXPECT_EQ(filtros[8], QStringLiteral("Wav (áudio) (*.wav)"));
  EXPECT_EQ(filtros[10], QStringLiteral("MP4 (vídeo) (*.mp4)"));
  // Cancelled or empty: the cell stays.
  for (const QString& vazio : {QString(), QStringLiteral("   ")}) {
    escolher(0, vazio);
    EXPECT_EQ(celula(0, 1), QStringLiteral("/y/foto.png"));
  }
  // "Arquivo..." serves any row; a choice row gets the file as its choice.
  escolher(1, QStringLiteral("/y/lista.txt"));
  EXPECT_EQ(celula(1, 1), QStringLiteral("/y/lista.txt"));
  escolher(2, QStringLiteral("/y/c.pdf"));
  EXPECT_EQ(celula(2, 1), QStringLiteral("/y/c.pdf"));
  EXPECT_EQ(gJanela->listaCombo()[2], QStringLiteral("/y/c.pdf;a;b"));
  EXPECT_EQ(gJanela->saveConfig()[2], (VariavelParametro{"modo", "/y/c.pdf"}));

  // A double click opens the dialog on a file row only.
  const int antes = gDialogosArquivo;
  gProximoArquivo = QStringLiteral("/z/som.mp3");
  auto duploClique = [this](int linha) {
    const QRect r = grade()->visualItemRect(grade()->item(linha, 2));
    QTest::mouseDClick(grade()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  };
  duploClique(1);
  EXPECT_EQ(gDialogosArquivo, antes);
  duploClique(0);
  EXPECT_EQ(gDialogosArquivo, antes + 1);
  EXPECT_EQ(celula(0, 1), QStringLiteral("/z/som.mp3"));
}

TEST_F(FrmStart, InstrucoesDoScript) {
  gBancada.exigidas.dados = true;
  for (const QString& info : {QString(), QStringLiteral("  \r\n "), QStringLiteral("Leia antes de rodar")}) {
    SCOPED_TRACE(info.toStdString());
    gBancada.info = info;
    abrir(QStringLiteral("nome=Ana"));
    const bool temInfo = !aparar(info).isEmpty();
    EXPECT_EQ(botao("btnInstrucoes")->isEnabled(), temInfo);
    if (!temInfo) continue;
    CLResposta ajuda;
    clicar("btnInstrucoes");
    EXPECT_EQ(ajuda.texto(), info);
  }
}

}  // namespace
}  // namespace mivo
