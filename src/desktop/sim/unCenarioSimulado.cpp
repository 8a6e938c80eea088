#include "unCenarioSimulado.h"

#include "unCLDesktopSimulado.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace mivo {

namespace {

struct ErroCenario {
  QString mensagem;
};

[[noreturn]] void falhar(const QString& mensagem) { throw ErroCenario{mensagem}; }

QString motivoJson(QJsonParseError::ParseError erro) {
  switch (erro) {
    case QJsonParseError::UnterminatedObject: return QStringLiteral("falta \",\" ou \"}\"");
    case QJsonParseError::MissingNameSeparator: return QStringLiteral("falta \":\" depois do nome do campo");
    case QJsonParseError::UnterminatedArray: return QStringLiteral("falta \",\" ou \"]\"");
    case QJsonParseError::MissingValueSeparator: return QStringLiteral("falta \",\" entre os valores");
    case QJsonParseError::IllegalValue: return QStringLiteral("valor inválido");
    case QJsonParseError::TerminationByNumber:
      return QStringLiteral("o JSON termina no meio de um número");
    case QJsonParseError::IllegalNumber: return QStringLiteral("número inválido");
    case QJsonParseError::IllegalEscapeSequence: return QStringLiteral("sequência de escape inválida");
    case QJsonParseError::IllegalUTF8String: return QStringLiteral("texto que não é UTF-8 válido");
    case QJsonParseError::UnterminatedString: return QStringLiteral("texto sem aspas de fechamento");
    case QJsonParseError::MissingObject: return QStringLiteral("era esperado um objeto");
    case QJsonParseError::DeepNesting: return QStringLiteral("aninhamento profundo demais");
    case QJsonParseError::DocumentTooLarge: return QStringLiteral("documento grande demais");
    case QJsonParseError::GarbageAtEnd: return QStringLiteral("há conteúdo depois do fim do documento");
    default: return QStringLiteral("erro de sintaxe");
  }
}

// "linha L, coluna C" of a byte offset (1-based).
QString posicao(const QByteArray& json, int deslocamento) {
  const QByteArray antes = json.left(deslocamento);
  const int linha = static_cast<int>(antes.count('\n')) + 1;
  const int coluna = static_cast<int>(antes.size() - (antes.lastIndexOf('\n') + 1)) + 1;
  return QStringLiteral("linha %1, coluna %2").arg(linha).arg(coluna);
}

QString aspas(const QString& nome) { return QLatin1Char('"') + nome + QLatin1Char('"'); }

// The file name of a path written with either separator.
std::u16string semPasta(const QString& caminho) {
  const qsizetype barra =
      std::max(caminho.lastIndexOf(QLatin1Char('/')), caminho.lastIndexOf(QLatin1Char('\\')));
  return caminho.mid(barra + 1).toStdU16String();
}

class LeitorCenario {
 public:
  CenarioSimulado ler(const QJsonObject& raiz);

 private:
  static QString filho(const QString& caminho, const QString& nome) {
    return caminho.isEmpty() ? nome : caminho + QLatin1Char('.') + nome;
  }
  static QString item(const QString& caminho, qsizetype i) {
    return caminho + QLatin1Char('[') + QString::number(i) + QLatin1Char(']');
  }
  void conferirCampos(const QJsonObject& objeto, const QString& caminho, const QStringList& campos);
  int inteiro(const QJsonValue& v, const QString& caminho, int minimo, int maximo);
  bool booleano(const QJsonValue& v, const QString& caminho);
  QString texto(const QJsonValue& v, const QString& caminho);
  QJsonArray lista(const QJsonValue& v, const QString& caminho);
  QJsonObject objeto(const QJsonValue& v, const QString& caminho);
  QJsonValue obrigatorio(const QJsonObject& o, const QString& caminho, const QString& nome);
  // The list named `nome` of the top level; empty when absent.
  QJsonArray opcional(const QJsonObject& raiz, const QString& nome);
  PontoTela par(const QJsonValue& v, const QString& caminho, int minimo);
  RetanguloJanela retangulo(const QJsonValue& v, const QString& caminho);
  CorTela cor(const QJsonValue& v, const QString& caminho);
  JanelaSimulada janela(const QJsonObject& o, const QString& caminho, bool aceitaFoco, bool& foco);
  void registrarProcesso(ProcessoId processo, const std::u16string& arquivo, const QString& caminho);
  void lerJanelas(const QJsonArray& janelas, CenarioSimulado& c);
  void lerAberturas(const QJsonArray& aberturas, CenarioSimulado& c);
  void lerCores(const QJsonArray& cores, CenarioSimulado& c);
  void lerProgramas(const QJsonArray& programas, CenarioSimulado& c);

  std::map<ProcessoId, std::u16string> gArquivos;  // file name of each process seen
  std::set<std::uint64_t> gIds;                    // window ids given so far
  std::set<std::uint64_t> gIdsDoInicio;            // those of the windows present from the start
  std::vector<std::pair<JanelaId, QString>> gPais;  // parents named, and where
};

constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

void LeitorCenario::conferirCampos(const QJsonObject& objeto, const QString& caminho,
                                   const QStringList& campos) {
  for (auto it = objeto.begin(); it != objeto.end(); ++it) {
    if (!campos.contains(it.key())) {
      falhar(QStringLiteral("campo desconhecido ") + aspas(filho(caminho, it.key())));
    }
  }
}

int LeitorCenario::inteiro(const QJsonValue& v, const QString& caminho, int minimo, int maximo) {
  const double d = v.toDouble();
  if (!v.isDouble() || d != std::floor(d) || d < minimo || d > maximo) {
    QString faixa;
    if (minimo == 0 && maximo == kMaxInt) {
      faixa = QStringLiteral(" não negativo");
    } else if (minimo == 1 && maximo == kMaxInt) {
      faixa = QStringLiteral(" positivo");
    } else if (minimo != kMinInt) {
      faixa = QStringLiteral(" de %1 a %2").arg(minimo).arg(maximo);
    }
    falhar(aspas(caminho) + QStringLiteral(" deve ser um número inteiro") + faixa);
  }
  return static_cast<int>(d);
}

bool LeitorCenario::booleano(const QJsonValue& v, const QString& caminho) {
  if (!v.isBool()) falhar(aspas(caminho) + QStringLiteral(" deve ser true ou false"));
  return v.toBool();
}

QString LeitorCenario::texto(const QJsonValue& v, const QString& caminho) {
  if (!v.isString()) falhar(aspas(caminho) + QStringLiteral(" deve ser um texto entre aspas"));
  return v.toString();
}

QJsonArray LeitorCenario::lista(const QJsonValue& v, const QString& caminho) {
  if (!v.isArray()) falhar(aspas(caminho) + QStringLiteral(" deve ser uma lista [ ... ]"));
  return v.toArray();
}

QJsonObject LeitorCenario::objeto(const QJsonValue& v, const QString& caminho) {
  if (!v.isObject()) falhar(aspas(caminho) + QStringLiteral(" deve ser um objeto { ... }"));
  return v.toObject();
}

QJsonValue LeitorCenario::obrigatorio(const QJsonObject& o, const QString& caminho, const QString& nome) {
  if (!o.contains(nome)) falhar(QStringLiteral("falta o campo ") + aspas(filho(caminho, nome)));
  return o[nome];
}

QJsonArray LeitorCenario::opcional(const QJsonObject& raiz, const QString& nome) {
  return raiz.contains(nome) ? lista(raiz[nome], nome) : QJsonArray();
}

// [x, y], each at least `minimo`.
PontoTela LeitorCenario::par(const QJsonValue& v, const QString& caminho, int minimo) {
  const QJsonArray a = lista(v, caminho);
  if (a.size() != 2) falhar(aspas(caminho) + QStringLiteral(" deve ter 2 números"));
  return {inteiro(a[0], item(caminho, 0), minimo, kMaxInt), inteiro(a[1], item(caminho, 1), minimo, kMaxInt)};
}

// [x, y, largura, altura]
RetanguloJanela LeitorCenario::retangulo(const QJsonValue& v, const QString& caminho) {
  const QJsonArray a = lista(v, caminho);
  if (a.size() != 4) falhar(aspas(caminho) + QStringLiteral(" deve ter 4 números: x, y, largura e altura"));
  return {inteiro(a[0], item(caminho, 0), kMinInt, kMaxInt),
          inteiro(a[1], item(caminho, 1), kMinInt, kMaxInt), inteiro(a[2], item(caminho, 2), 0, kMaxInt),
          inteiro(a[3], item(caminho, 3), 0, kMaxInt)};
}

// "rgb[r,g,b]" (the "rgb[" and "]" may be left out) or R + 256·G + 65536·B.
CorTela LeitorCenario::cor(const QJsonValue& v, const QString& caminho) {
  const QString erro =
      aspas(caminho) +
      QStringLiteral(" deve ser uma cor \"rgb[r,g,b]\" (de 0 a 255) ou um número de 0 a 16777215");
  if (v.isDouble()) {
    const double d = v.toDouble();
    if (d != std::floor(d) || d < 0 || d > 0xFFFFFF) falhar(erro);
    return static_cast<CorTela>(d);
  }
  if (!v.isString()) falhar(erro);
  static const QRegularExpression kRgb(
      QStringLiteral(R"(^\s*(?:rgb\[)?\s*(\d{1,3})\s*,\s*(\d{1,3})\s*,\s*(\d{1,3})\s*\]?\s*$)"),
      QRegularExpression::CaseInsensitiveOption);
  const auto m = kRgb.match(v.toString());
  if (!m.hasMatch()) falhar(erro);
  int c[3];
  for (int i = 0; i < 3; ++i) {
    c[i] = m.captured(i + 1).toInt();
    if (c[i] > 255) falhar(erro);
  }
  return corRgb(c[0], c[1], c[2]);
}

void LeitorCenario::registrarProcesso(ProcessoId processo, const std::u16string& arquivo,
                                      const QString& caminho) {
  const auto [it, novo] = gArquivos.emplace(processo, arquivo);
  if (!novo && it->second != arquivo) {
    falhar(aspas(caminho) + QStringLiteral(": o processo %1 já pertence a \"%2\"")
                                .arg(processo)
                                .arg(QString::fromStdU16String(it->second)));
  }
}

JanelaSimulada LeitorCenario::janela(const QJsonObject& o, const QString& caminho, bool aceitaFoco,
                                     bool& foco) {
  QStringList campos = {"id",         "titulo",     "executavel",     "pid", "visivel",
                        "minimizada", "maximizada", "recusaAtivacao", "pai", "retangulo"};
  if (aceitaFoco) campos << QStringLiteral("primeiroPlano");
  conferirCampos(o, caminho, campos);
  const auto tem = [&](const char* nome) { return o.contains(QLatin1String(nome)); };
  const auto valor = [&](const char* nome) { return o[QLatin1String(nome)]; };
  const auto onde = [&](const char* nome) { return filho(caminho, QLatin1String(nome)); };

  JanelaSimulada j;
  if (tem("id")) {
    const int id = inteiro(valor("id"), onde("id"), 1, kMaxInt);
    if (!gIds.insert(id).second) {
      falhar(aspas(onde("id")) + QStringLiteral(": o id %1 já pertence a outra janela").arg(id));
    }
    j.id = JanelaId{static_cast<std::uint64_t>(id)};
  }
  if (tem("titulo")) j.titulo = texto(valor("titulo"), onde("titulo")).toStdU16String();
  if (tem("executavel")) j.executavel = semPasta(texto(valor("executavel"), onde("executavel")));
  if (tem("pid")) j.processo = static_cast<ProcessoId>(inteiro(valor("pid"), onde("pid"), 0, kMaxInt));
  if (j.processo != 0) registrarProcesso(j.processo, j.executavel, onde("pid"));
  if (tem("visivel")) j.visivel = booleano(valor("visivel"), onde("visivel"));
  if (tem("minimizada")) j.minimizada = booleano(valor("minimizada"), onde("minimizada"));
  if (tem("maximizada")) j.maximizada = booleano(valor("maximizada"), onde("maximizada"));
  if (tem("recusaAtivacao")) j.recusaAtivacao = booleano(valor("recusaAtivacao"), onde("recusaAtivacao"));
  if (tem("pai")) {
    j.pai = JanelaId{static_cast<std::uint64_t>(inteiro(valor("pai"), onde("pai"), 1, kMaxInt))};
    if (j.pai == j.id) {
      falhar(aspas(onde("pai")) + QStringLiteral(": uma janela não pode ser pai de si mesma"));
    }
    gPais.emplace_back(j.pai, onde("pai"));
  }
  if (tem("retangulo")) j.retangulo = retangulo(valor("retangulo"), onde("retangulo"));
  foco = tem("primeiroPlano") && booleano(valor("primeiroPlano"), onde("primeiroPlano"));
  return j;
}

CenarioSimulado LeitorCenario::ler(const QJsonObject& raiz) {
  conferirCampos(raiz, {},
                 {"tela", "cursor", "botoesTrocados", "janelas", "cores", "corFundo", "areaTransferencia",
                  "programas", "teclasLigadas", "aberturas", "colagemIgnorada"});
  CenarioSimulado c;
  if (raiz.contains(u"tela")) {
    const PontoTela t = par(raiz[u"tela"], QStringLiteral("tela"), 1);
    c.tela = {t.x, t.y};
  }
  if (raiz.contains(u"cursor")) c.cursor = par(raiz[u"cursor"], QStringLiteral("cursor"), 0);
  if (raiz.contains(u"botoesTrocados")) {
    c.botoesTrocados = booleano(raiz[u"botoesTrocados"], QStringLiteral("botoesTrocados"));
  }
  if (raiz.contains(u"colagemIgnorada")) {
    c.colagemIgnorada = booleano(raiz[u"colagemIgnorada"], QStringLiteral("colagemIgnorada"));
  }
  lerJanelas(opcional(raiz, QStringLiteral("janelas")), c);
  lerAberturas(opcional(raiz, QStringLiteral("aberturas")), c);
  lerCores(opcional(raiz, QStringLiteral("cores")), c);
  if (raiz.contains(u"corFundo")) c.corFundo = cor(raiz[u"corFundo"], QStringLiteral("corFundo"));
  if (raiz.contains(u"areaTransferencia")) {
    c.areaTransferencia =
        texto(raiz[u"areaTransferencia"], QStringLiteral("areaTransferencia")).toStdU16String();
  }
  lerProgramas(opcional(raiz, QStringLiteral("programas")), c);
  const QJsonArray teclas = opcional(raiz, QStringLiteral("teclasLigadas"));
  for (qsizetype i = 0; i < teclas.size(); ++i) {
    c.teclasLigadas.push_back(inteiro(teclas[i], item(QStringLiteral("teclasLigadas"), i), 1, 255));
  }
  return c;
}

void LeitorCenario::lerJanelas(const QJsonArray& janelas, CenarioSimulado& c) {
  for (qsizetype i = 0; i < janelas.size(); ++i) {
    const QString onde = item(QStringLiteral("janelas"), i);
    bool foco = false;
    c.janelas.push_back(janela(objeto(janelas[i], onde), onde, true, foco));
    if (foco && c.primeiroPlano >= 0) {
      falhar(aspas(onde + QStringLiteral(".primeiroPlano")) +
             QStringLiteral(": só uma janela pode estar em primeiro plano"));
    }
    if (foco) c.primeiroPlano = static_cast<int>(i);
  }
  gIdsDoInicio = gIds;
}

void LeitorCenario::lerAberturas(const QJsonArray& aberturas, CenarioSimulado& c) {
  for (qsizetype i = 0; i < aberturas.size(); ++i) {
    const QString onde = item(QStringLiteral("aberturas"), i);
    const QJsonObject o = objeto(aberturas[i], onde);
    conferirCampos(o, onde, {"comando", "janela"});
    AberturaSimulada a;
    const QString ondeComando = filho(onde, QStringLiteral("comando"));
    a.comando = texto(obrigatorio(o, onde, QStringLiteral("comando")), ondeComando).toStdU16String();
    const QString ondeJanela = filho(onde, QStringLiteral("janela"));
    bool foco = false;
    a.janela = janela(objeto(obrigatorio(o, onde, QStringLiteral("janela")), ondeJanela), ondeJanela,
                      /*aceitaFoco=*/false, foco);
    c.aberturas.push_back(a);
  }
  // A parent must be one of the windows present from the start.
  for (const auto& [pai, onde] : gPais) {
    if (!gIdsDoInicio.contains(static_cast<std::uint64_t>(pai))) {
      falhar(aspas(onde) +
             QStringLiteral(": nenhuma janela tem o id %1").arg(static_cast<std::uint64_t>(pai)));
    }
  }
}

void LeitorCenario::lerCores(const QJsonArray& cores, CenarioSimulado& c) {
  for (qsizetype i = 0; i < cores.size(); ++i) {
    const QString onde = item(QStringLiteral("cores"), i);
    const QJsonObject o = objeto(cores[i], onde);
    conferirCampos(o, onde, {"retangulo", "cor"});
    AreaCor area;
    area.retangulo = retangulo(obrigatorio(o, onde, QStringLiteral("retangulo")),
                               filho(onde, QStringLiteral("retangulo")));
    area.cor = cor(obrigatorio(o, onde, QStringLiteral("cor")), filho(onde, QStringLiteral("cor")));
    c.cores.push_back(area);
  }
}

void LeitorCenario::lerProgramas(const QJsonArray& programas, CenarioSimulado& c) {
  for (qsizetype i = 0; i < programas.size(); ++i) {
    const QString onde = item(QStringLiteral("programas"), i);
    const QJsonObject o = objeto(programas[i], onde);
    conferirCampos(o, onde, {"arquivo", "pid"});
    const QString ondeArquivo = filho(onde, QStringLiteral("arquivo"));
    const QString ondePid = filho(onde, QStringLiteral("pid"));
    ProgramaEmExecucao p;
    p.arquivo = semPasta(texto(obrigatorio(o, onde, QStringLiteral("arquivo")), ondeArquivo));
    p.processo = static_cast<ProcessoId>(
        inteiro(obrigatorio(o, onde, QStringLiteral("pid")), ondePid, 1, kMaxInt));
    registrarProcesso(p.processo, p.arquivo, ondePid);
    c.programas.push_back(p);
  }
}

// Reads the JSON; on failure returns the reason, without any prefix.
bool lerJson(const QByteArray& json, CenarioSimulado& cenario, QString& motivo) {
  QJsonParseError erroJson;
  const QJsonDocument documento = QJsonDocument::fromJson(json, &erroJson);
  if (erroJson.error != QJsonParseError::NoError) {
    motivo = QStringLiteral("JSON inválido na ") + posicao(json, erroJson.offset) + QStringLiteral(": ") +
             motivoJson(erroJson.error);
    return false;
  }
  if (!documento.isObject()) {
    motivo = QStringLiteral("o cenário deve ser um objeto JSON { ... }");
    return false;
  }
  try {
    cenario = LeitorCenario().ler(documento.object());
    return true;
  } catch (const ErroCenario& e) {
    motivo = e.mensagem;
    return false;
  }
}

}  // namespace

bool lerCenarioSimuladoJson(const QByteArray& json, CenarioSimulado& cenario, QString* erro) {
  QString motivo;
  if (lerJson(json, cenario, motivo)) return true;
  if (erro) *erro = QStringLiteral("Cenário inválido: ") + motivo;
  return false;
}

bool lerCenarioSimulado(const QString& caminho, CenarioSimulado& cenario, QString* erro) {
  const QString prefixo = QStringLiteral("Cenário ") + aspas(caminho) + QStringLiteral(": ");
  QFile arquivo(caminho);
  QString motivo;
  if (!QFileInfo(caminho).isFile()) {
    motivo = QFileInfo::exists(caminho) ? QStringLiteral("não é um arquivo")
                                        : QStringLiteral("arquivo não encontrado");
  } else if (!arquivo.open(QIODevice::ReadOnly)) {
    motivo = QStringLiteral("não foi possível abrir o arquivo para leitura");
  } else if (lerJson(arquivo.readAll(), cenario, motivo)) {
    return true;
  }
  if (erro) *erro = prefixo + motivo;
  return false;
}

std::unique_ptr<CLDesktopSimulado> criarDesktopSimulado(const QString& caminho, QString& erro) {
  CenarioSimulado cenario;
  if (!caminho.isEmpty() && !lerCenarioSimulado(caminho, cenario, &erro)) return nullptr;
  return std::make_unique<CLDesktopSimulado>(cenario);
}

}  // namespace mivo
