#include "unVerificador.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "unCLIndiceRotulos.h"
#include "unCatalogo.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QLatin1String kSecoes[] = {QLatin1String("##info"), QLatin1String("##config"),
                                 QLatin1String("##pre_carregar"), QLatin1String("##parametros")};

// Edit distance between two names already in lower case, when it is below
// `limite`; otherwise any value not below it (the rows stop as soon as every
// cell has reached it).
// `antes` and `agora` are the caller's, kept between calls.
int distancia(QStringView x, QStringView y, int limite, std::vector<int>& antes, std::vector<int>& agora) {
  antes.resize(y.size() + 1);
  agora.resize(y.size() + 1);
  for (qsizetype j = 0; j <= y.size(); ++j) antes[j] = static_cast<int>(j);
  for (qsizetype i = 1; i <= x.size(); ++i) {
    agora[0] = static_cast<int>(i);
    int menorDaLinha = agora[0];
    for (qsizetype j = 1; j <= y.size(); ++j) {
      const int troca = antes[j - 1] + (x[i - 1] == y[j - 1] ? 0 : 1);
      agora[j] = std::min({antes[j] + 1, agora[j - 1] + 1, troca});
      menorDaLinha = std::min(menorDaLinha, agora[j]);
    }
    if (menorDaLinha >= limite) return limite;
    std::swap(antes, agora);
  }
  return antes[y.size()];
}

// The names of the catalogue without "&", in lower case, in its order.
const QStringList& nomesMinusculos() {
  static const QStringList nomes = [] {
    QStringList n;
    for (const CLFuncao& f : catalogo::funcoes()) n << f.nome.mid(1).toLower();
    return n;
  }();
  return nomes;
}

// The known name closest to `nome`, when it is close enough to be a typo.
// The checker runs again on every change in the editor (on a thread of its
// own), over the same names: the answers are kept, a few thousand at most.
// (No thread_local here: its destructors hang threads that end on Windows.)
QString sugestao(const QString& nome) {
  static QMutex trava;
  static QHash<QString, QString> feitas;
  {
    QMutexLocker bloqueio(&trava);
    if (const auto it = feitas.constFind(nome); it != feitas.cend()) return *it;
  }
  const QString procurado = nome.toLower();
  std::vector<int> antes, agora;
  const QList<CLFuncao>& funcoes = catalogo::funcoes();
  const QStringList& nomes = nomesMinusculos();
  qsizetype melhor = -1;
  int menor = std::max<int>(1, static_cast<int>(nome.size()) / 3) + 1;
  for (qsizetype k = 0; k < nomes.size(); ++k) {
    // The distance is at least the difference in length: a long name needs
    // no comparison.
    if (std::abs(nomes[k].size() - procurado.size()) >= menor) continue;
    const int d = distancia(procurado, nomes[k], menor, antes, agora);
    if (d < menor) {
      menor = d;
      melhor = k;
    }
  }
  const QString resposta = melhor < 0 ? QString() : funcoes[melhor].nome;
  QMutexLocker bloqueio(&trava);
  if (feitas.size() >= 4096) feitas.clear();
  feitas.insert(nome, resposta);
  return resposta;
}

QString argumentos(int n) {
  return n == 1 ? QStringLiteral("1 argumento") : QStringLiteral("%1 argumentos").arg(n);
}

// Whether an argument read in this form is expanded when the function runs
// (so nested calls in it run and its {coluna} references are filled in).
bool expandido(const CLFuncao& f, qsizetype indice) {
  if (f.leitura == Leitura::Nenhuma || f.leitura == Leitura::Bruta) return false;
  const Forma forma = f.forma(indice);
  // The test of "&Se" expands both of its sides.
  if (f.palavra == QLatin1String("se") && indice == 0) return true;
  return forma == Forma::Expandido || forma == Forma::Adiado;
}

// A name written with references or calls is known only when the script runs.
bool dinamico(const QString& nome) {
  return nome.contains(u'[') || nome.contains(u'{') || nome.contains(u'&');
}

class Verificador {
 public:
  Verificador(const QStringList& documento, const CLContextoVerificacao& contexto)
      : gDoc(documento), gContexto(contexto) {}

  QList<CLAchado> executar() {
    verificarSecoes();
    gPrimeiraSecaoAberta = gSecoesAbertas.isEmpty() ? -1 : *std::min_element(gSecoesAbertas.begin(), gSecoesAbertas.end());
    const int inicio = leitura::linhaDeInicio(gDoc);
    coletarColunas(inicio);
    for (int i = inicio; i < gDoc.size();) {
      const leitura::LinhaDoScript l = leitura::lerLinhaDoScript(gDoc, i);
      verificarLinha(i, l);
      i = l.ultima + 1;
    }
    std::stable_sort(gAchados.begin(), gAchados.end(),
                     [](const CLAchado& a, const CLAchado& b) { return a.linha < b.linha; });
    return gAchados;
  }

 private:
  void achar(int indice, const QString& mensagem, bool aviso = false) {
    const QString chave = QString::number(indice) + u'|' + mensagem;
    if (gVistos.contains(chave)) return;
    gVistos.insert(chave);
    gAchados.append({indice + 1, mensagem, aviso});
  }

  void verificarSecoes() {
    int aberta[std::size(kSecoes)];
    std::fill(std::begin(aberta), std::end(aberta), -1);
    for (int i = 0; i < gDoc.size(); ++i) {
      const QString t = aparar(gDoc[i]);
      if (!t.startsWith(QLatin1String("##"))) continue;
      const QString l = t.toLower();
      for (size_t s = 0; s < std::size(kSecoes); ++s) {
        const QString fim = kSecoes[s] + QLatin1String("_fim");
        if (l.contains(fim))
          aberta[s] = -1;
        else if (aberta[s] < 0 && (l == kSecoes[s] || l.startsWith(kSecoes[s] + u' ')))
          aberta[s] = i;
      }
    }
    for (size_t s = 0; s < std::size(kSecoes); ++s) {
      if (aberta[s] < 0) continue;
      achar(aberta[s], QStringLiteral("a seção %1 não termina com %1_fim").arg(kSecoes[s]));
      gSecoesAbertas.append(aberta[s]);
    }
  }

  // The columns a run can have: the list's titles and those the script
  // itself inserts.
  void coletarColunas(int inicio) {
    if (!gContexto.colunas) return;
    for (const QString& c : *gContexto.colunas) gColunas.insert(aparar(c).toLower());
    for (int i = inicio; i < gDoc.size(); ++i) {
      const QString& l = gDoc[i];
      qsizetype pos = l.indexOf(QLatin1String("&lainserircolunas("), 0, Qt::CaseInsensitive);
      if (pos < 0) continue;
      const leitura::LinhaDoScript lida = leitura::lerLinhaDoScript(gDoc, i);
      QString titulos = leitura::getParamValue(leitura::textoArgumentos(lida.texto));
      titulos.replace(u',', u';');
      for (const QString& t : titulos.split(u';')) gColunas.insert(aparar(t).toLower());
    }
  }

  void verificarLinha(int indice, const leitura::LinhaDoScript& l) {
    using Tipo = leitura::LinhaDoScript::Tipo;
    if (l.tipo == Tipo::Vazia) return;
    if (l.tipo == Tipo::NaoTerminada) {
      achar(indice, QStringLiteral("a instrução não termina com \").\""));
      return;
    }
    const QString& texto = l.texto;
    if (texto.startsWith(QLatin1String("##"))) return;  // a section's marker
    if (!texto.startsWith(u'&')) {
      // The lines of a section that was never closed are already reported
      // with it.
      if (gPrimeiraSecaoAberta >= 0 && indice > gPrimeiraSecaoAberta) return;
      // The language has no block comment: the statements after a
      // slash-asterisk line run.
      if (texto.startsWith(QLatin1String("/*"))) {
        achar(indice, QStringLiteral("não é comentário: use // em cada linha"));
        return;
      }
      achar(indice, QStringLiteral("a linha não é uma instrução (deveria começar com &) nem um comentário (//)"));
      return;
    }
    // A statement that swallowed the next one: a continuation line that
    // starts a statement where no argument was expected.
    for (int k = indice + 1; k <= l.ultima; ++k) {
      QString pedaco = gDoc[k];
      leitura::removerComentario(pedaco);
      QString anterior = gDoc[k - 1];
      leitura::removerComentario(anterior);
      anterior = aparar(anterior);
      if (pedaco.startsWith(u'&') && !anterior.isEmpty() && !anterior.endsWith(u';') && !anterior.endsWith(u'(')) {
        achar(indice, QStringLiteral("a instrução não termina com \").\" antes da próxima instrução (linha %1)").arg(k + 1));
        return;
      }
    }
    verificarChamada(indice, texto, true);
  }

  // One call, written as a statement or nested in an argument.
  void verificarChamada(int indice, const QString& chamada, bool instrucao) {
    const QString nome = leitura::nomeDaFuncao(chamada);
    if (nome.isEmpty()) {
      if (instrucao) achar(indice, QStringLiteral("a instrução não tem \"(\": %1").arg(chamada.left(60)));
      return;
    }
    const CLFuncao* f = catalogo::procurar(nome.toLower());
    if (!f) {
      const QString perto = sugestao(nome);
      QString m = QStringLiteral("função desconhecida: &%1").arg(nome);
      if (!perto.isEmpty()) m += QStringLiteral(" (você quis dizer %1?)").arg(perto);
      achar(indice, m);
      return;
    }
    const QString args = leitura::textoArgumentos(chamada);
    const QStringList pecas = f->leitura == Leitura::Dividida ? leitura::getParams2(args)
                              : aparar(args).isEmpty()          ? QStringList()
                                                                : QStringList{args};
    verificarContagem(indice, *f, static_cast<int>(pecas.size()));
    verificarAlvos(indice, *f, args);
    if (f->leitura == Leitura::Bruta || f->leitura == Leitura::Nenhuma) return;
    verificarPares(indice, args);
    for (qsizetype k = 0; k < pecas.size(); ++k) {
      if (!expandido(*f, k)) continue;
      verificarAninhadas(indice, pecas[k]);
      verificarColunas(indice, pecas[k]);
    }
  }

  void verificarContagem(int indice, const CLFuncao& f, int n) {
    if (f.tipo == Tipo::Marcador) {
      if (n == 0) achar(indice, QStringLiteral("&Marcador precisa de um nome"));
      return;
    }
    if (f.leitura == Leitura::Nenhuma) return;  // what it is given is ignored
    if (n >= f.minimo && n <= f.maximo) return;
    const QString esperado = f.minimo == f.maximo
                                 ? argumentos(f.minimo)
                                 : QStringLiteral("de %1 a %2 argumentos").arg(f.minimo).arg(f.maximo);
    achar(indice, QStringLiteral("%1 espera %2, recebeu %3").arg(f.nome, esperado).arg(n));
  }

  void verificarAlvos(int indice, const CLFuncao& f, const QString& args) {
    if (f.tipo == Tipo::Salto) {
      QString rotulo = leitura::getParamValue(args);
      rotulo.remove(u'"');
      if (!rotulo.isEmpty() && !dinamico(rotulo) && gIndice.ultimoMarcador(gDoc, rotulo) < 0)
        achar(indice, QStringLiteral("&VaiPara para um marcador que não existe: %1").arg(rotulo));
    } else if (f.tipo == Tipo::ChamadaBloco) {
      const QString bloco = leitura::getParamValue(args);
      if (!bloco.isEmpty() && !dinamico(bloco) && gIndice.primeiroBloco(gDoc, bloco) < 0)
        achar(indice, QStringLiteral("&BlocoExec de um bloco que não existe: %1").arg(bloco));
    } else if (f.tipo == Tipo::DefinicaoBloco) {
      bool fechado = false;
      for (int k = indice; k < gDoc.size() && !fechado; ++k)
        fechado = gDoc[k].contains(QLatin1String("&blocofim("), Qt::CaseInsensitive);
      if (!fechado) achar(indice, QStringLiteral("o bloco não termina com &BlocoFim()"));
    }
  }

  // Quotes, brackets and braces that open without closing (or the other way).
  void verificarPares(int indice, const QString& args) {
    const qsizetype aspas = args.count(u'"');
    if (aspas % 2 != 0) achar(indice, QStringLiteral("aspas sem par"));
    if (args.count(u'[') != args.count(u']')) achar(indice, QStringLiteral("colchetes [ ] sem par"));
    // "~" is how a script writes "{" that is not a reference.
    if (args.count(u'{') + args.count(u'~') != args.count(u'}')) achar(indice, QStringLiteral("chaves { } sem par"));
  }

  void verificarAninhadas(int indice, const QString& peca) {
    // Calls run in order; a text holding "&" that starts no call is text.
    qsizetype inicio = 0;
    while (inicio < peca.size()) {
      const QString resto = peca.mid(inicio);
      const QString chamada = leitura::getNextFunctionName(resto);
      if (chamada.isEmpty()) return;
      verificarChamada(indice, chamada, false);
      const qsizetype pos = resto.indexOf(chamada);
      if (pos < 0) return;
      inicio += pos + chamada.size();
    }
  }

  void verificarColunas(int indice, const QString& peca) {
    if (!gContexto.colunas) return;
    qsizetype pos = 0;
    while ((pos = peca.indexOf(u'{', pos)) >= 0) {
      const qsizetype fim = peca.indexOf(u'}', pos + 1);
      if (fim < 0) return;
      const QString nome = aparar(peca.mid(pos + 1, fim - pos - 1));
      if (!nome.isEmpty() && !dinamico(nome) && !gColunas.contains(nome.toLower()))
        achar(indice, QStringLiteral("a coluna {%1} não existe na lista").arg(nome), true);
      pos = fim + 1;
    }
  }

  const QStringList& gDoc;
  const CLContextoVerificacao& gContexto;
  CLIndiceRotulos gIndice;
  QSet<QString> gColunas;
  QSet<QString> gVistos;
  QList<int> gSecoesAbertas;
  int gPrimeiraSecaoAberta = -1;
  QList<CLAchado> gAchados;
};

}  // namespace

QList<CLAchado> verificarScript(const QStringList& documento, const CLContextoVerificacao& contexto) {
  return Verificador(documento, contexto).executar();
}

QString textoDoAchado(const CLAchado& achado) {
  return QStringLiteral("linha %1: %2").arg(achado.linha).arg(achado.mensagem);
}

}  // namespace mivo
