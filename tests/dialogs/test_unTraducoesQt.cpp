// Qt's own texts in Brazilian Portuguese: where the translation is looked
// for, and the file and value-entry dialogs once it is loaded (the texts
// are those of Qt's qtbase_pt_BR.qm).

#include <gtest/gtest.h>

#include <memory>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>

#include "unTraducoesQt.h"

using namespace mivo;

namespace {

QString qtTraducoes() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

QStringList textosDosBotoes(QWidget& janela) {
  QStringList textos;
  for (auto* b : janela.findChildren<QAbstractButton*>())
    if (!b->text().isEmpty()) textos << b->text();
  textos.sort();
  return textos;
}

QString textoDo(QWidget& janela, const char* nome) {
  auto* l = janela.findChild<QLabel*>(QString::fromLatin1(nome));
  return l ? l->text() : QStringLiteral("(sem %1)").arg(QString::fromLatin1(nome));
}

struct TextosDialogos {
  QString procurarEm, nomeDoArquivo, tipos;
  QStringList abrir, salvar, valor;
  friend bool operator==(const TextosDialogos&, const TextosDialogos&) = default;
};

// What a user sees in a non-native file dialog (opening, then saving) and
// in a value-entry box.
TextosDialogos textosDosDialogos() {
  TextosDialogos t;
  QFileDialog arquivo(nullptr, QStringLiteral("Abrir"), QDir::tempPath());
  arquivo.setOption(QFileDialog::DontUseNativeDialog);
  arquivo.show();
  t.procurarEm = textoDo(arquivo, "lookInLabel");
  t.nomeDoArquivo = textoDo(arquivo, "fileNameLabel");
  t.tipos = textoDo(arquivo, "fileTypeLabel");
  t.abrir = textosDosBotoes(arquivo);
  arquivo.setAcceptMode(QFileDialog::AcceptSave);
  t.salvar = textosDosBotoes(arquivo);
  QInputDialog valor;
  valor.setLabelText(QStringLiteral("Nome da coluna"));
  valor.show();
  t.valor = textosDosBotoes(valor);
  return t;
}

std::ostream& operator<<(std::ostream& s, const TextosDialogos& t) {
  return s << (QStringList{t.procurarEm, t.nomeDoArquivo, t.tipos} + t.abrir + t.salvar + t.valor)
                  .join(QStringLiteral(" | "))
                  .toStdString();
}

}  // namespace

TEST(TraducoesQt, DialogosDoQtEmPortugues) {
  const TextosDialogos ingles{QStringLiteral("Look in:"),
                              QStringLiteral("File &name:"),
                              QStringLiteral("Files of type:"),
                              {QStringLiteral("&Open"), QStringLiteral("Cancel")},
                              {QStringLiteral("&Save"), QStringLiteral("Cancel")},
                              {QStringLiteral("Cancel"), QStringLiteral("OK")}};
  const TextosDialogos portugues{QStringLiteral("Procurar em:"),
                                 QStringLiteral("&Nome do arquivo:"),
                                 QStringLiteral("Arquivos do tipo:"),
                                 {QStringLiteral("&Abrir"), QStringLiteral("Cancelar")},
                                 {QStringLiteral("&Salvar"), QStringLiteral("Cancelar")},
                                 {QStringLiteral("Cancelar"), QStringLiteral("OK")}};
  ASSERT_EQ(textosDosDialogos(), ingles);
  QTranslator* tradutor = carregarTraducoesQt();
  ASSERT_NE(tradutor, nullptr) << "qtbase_pt_BR.qm não está em " << pastasTraducoesQt().join(", ").toStdString()
                               << " (pacote qt6-translations-l10n)";
  EXPECT_EQ(textosDosDialogos(), portugues);
  delete tradutor;
  EXPECT_EQ(textosDosDialogos(), ingles);
}

// The folder beside the executable comes first (the Windows installation
// carries the file there), then Qt's own; the first folder that holds the
// file gives it, and a folder without it is passed over.
TEST(TraducoesQt, PrimeiraPastaQueTemOArquivo) {
  const QStringList pastas = pastasTraducoesQt();
  ASSERT_EQ(pastas.size(), 2);
  EXPECT_EQ(pastas[0], QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")));
  EXPECT_EQ(pastas[1], qtTraducoes());

  // The file comes from wherever this installation keeps it (on Windows,
  // beside the executable; Qt's own folder there is the build machine's).
  QString original;
  {
    std::unique_ptr<QTranslator> doSistema(carregarTraducoesQt());
    ASSERT_NE(doSistema, nullptr);
    original = doSistema->filePath();
  }
  QTemporaryDir vazia, copia;
  ASSERT_TRUE(vazia.isValid() && copia.isValid());
  ASSERT_TRUE(QFile::copy(original, copia.filePath(QStringLiteral("qtbase_pt_BR.qm"))));
  // Portugal's file is no stand-in for Brazil's.
  QFile(vazia.filePath(QStringLiteral("qtbase_pt.qm"))).open(QIODevice::WriteOnly);

  std::unique_ptr<QTranslator> tradutor(carregarTraducoesQt({vazia.path(), copia.path(), qtTraducoes()}));
  ASSERT_NE(tradutor, nullptr);
  EXPECT_EQ(tradutor->filePath(), copia.filePath(QStringLiteral("qtbase_pt_BR.qm")));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
  tradutor.reset();
  EXPECT_EQ(carregarTraducoesQt({vazia.path(), QString()}), nullptr);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
