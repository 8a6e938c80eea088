#include "unFuncTexto.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "unCLDesktop.h"
#include "unCLErro.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unFuncTeclado.h"
#include "unCLInstrucao.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QString kPastaTextos = QStringLiteral("dados\\textos");

// Like an editor's line list: a text with line breaks adds several lines,
// and an empty text one empty line.
QStringList comoLinhas(const QString& texto) {
  static const QRegularExpression quebra(QStringLiteral("\r\n|\r|\n"));
  return texto.split(quebra);
}

// The value of "&TaLinhaAdicionar" and "&TaDefinir": expanded unless the
// second argument is "não".
QString valorTalvezExpandido(CLScript& s, const CLArgumentos& a) {
  const QString valor = a.valor(0);
  const bool naoExpandir = a.size() > 1 && a[1].toLower() == QStringLiteral("não");
  return naoExpandir ? valor : s.expandirValor(valor);
}

// The index of line `texto` of the auxiliary text, or -1 when it is no
// number or names no line. Lines count from 1, and 0 or a negative number
// names line 1 (the index is n - 1, at least 0); the subtraction is done in
// 64 bits, so the smallest int cannot overflow on the way.
qsizetype indiceDaLinha(const QString& texto, qsizetype linhas) {
  const std::optional<int> n = inteiro(texto);
  if (!n) return -1;
  const qint64 indice = std::max<qint64>(qint64(*n) - 1, 0);
  return indice < linhas ? qsizetype(indice) : -1;
}

}  // namespace

QString textoAuxiliarCompleto(const QStringList& linhas) {
  QString r;
  for (const QString& l : linhas) r += l + QLatin1String("\r\n");
  return r;
}

QString fnTaPegarTudo(CLScript& s, const CLArgumentos&) {
  return textoAuxiliarCompleto(s.host().textoAuxiliarLinhas());
}

QString fnTaLinhaPegar(CLScript& s, const CLArgumentos& a) {
  const QStringList linhas = s.host().textoAuxiliarLinhas();
  const qsizetype indice = indiceDaLinha(a[0], linhas.size());
  return indice < 0 ? QString() : linhas[indice];
}

QString fnTaLinhaAdicionar(CLScript& s, const CLArgumentos& a) {
  const QString valor = valorTalvezExpandido(s, a);
  s.host().setTextoAuxiliarLinhas(s.host().textoAuxiliarLinhas() + comoLinhas(valor));
  return {};
}

QString fnTaLinhaApagar(CLScript& s, const CLArgumentos& a) {
  QStringList linhas = s.host().textoAuxiliarLinhas();
  const qsizetype indice = indiceDaLinha(a[0], linhas.size());
  if (indice < 0) return kFalha;
  linhas.removeAt(indice);
  s.host().setTextoAuxiliarLinhas(linhas);
  return kOk;
}

QString fnTaDefinir(CLScript& s, const CLArgumentos& a) {
  QString valor = valorTalvezExpandido(s, a);
  valor.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
  s.host().setTextoAuxiliarLinhas(dividirLinhas(valor));
  return {};
}

QString abrirTextoAuxiliar(CLScript& s, const QString& caminho) {
  if (!QFileInfo(caminho).isFile()) return kFalha;
  QString texto, erro;
  if (!lerArquivoTexto(caminho, texto, &erro)) throw CLErro(erro);
  if (aparar(texto).isEmpty()) {
    s.host().registrarTextoAberto(caminho);
    return kFalha;
  }
  s.host().setTextoAuxiliarLinhas(dividirLinhas(texto));
  // After the text: the text now is the file's, with nothing unsaved.
  s.host().registrarTextoAberto(caminho);
  return kOk;
}

QString fnTaAbrir(CLScript& s, const CLArgumentos& a) {
  return abrirTextoAuxiliar(s, s.host().getBestPath(a[0], kPastaTextos, QString()));
}

void salvarTextoAuxiliar(CLScript& s, const QString& caminho) {
  QString erro;
  const QString texto = textoAuxiliarCompleto(s.host().textoAuxiliarLinhas());
  if (!gravarArquivo(caminho, codificarUtf8ComBom(texto), &erro)) throw CLErro(erro);
}

QString fnTaSalvar(CLScript& s, const CLArgumentos& a) {
  salvarTextoAuxiliar(s, s.host().getBestPath(a[0], kPastaTextos, QString()));
  return kOk;
}

QString fnMemoriaDefinir(CLScript& s, const CLArgumentos& a) {
  // A clipboard that never frees ends the run rather than letting a later
  // paste send the wrong text.
  if (!areaTransferenciaGravar(s, a[0]) && !s.host().parar())
    throw CLErro(QStringLiteral("Não foi possível gravar na área de transferência"));
  return {};
}

QString fnMemoriaLer(CLScript& s, const CLArgumentos&) {
  std::optional<std::u16string> texto = s.desktop().areaTransferenciaTexto();
  s.host().bombearEventos();
  if (!texto) {
    s.host().dormir(1000);
    s.host().bombearEventos();
    texto = s.desktop().areaTransferenciaTexto();
    if (!texto) throw CLErro(QStringLiteral("Não foi possível ler a área de transferência"));
  }
  return QString::fromStdU16String(*texto);
}

QString fnMemoriaCopiar(CLScript& s, const CLArgumentos&) {
  s.host().dormir(20);
  s.host().bombearEventos();
  teclarControlMais(s, u'c');
  return {};
}

QString fnMemoriaColar(CLScript& s, const CLArgumentos&) {
  teclarColar(s);
  return {};
}

}  // namespace mivo
