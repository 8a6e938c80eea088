#include "unFuncJanelas.h"

#include <optional>

#include "unCLDesktop.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unFuncTeclado.h"
#include "unImagemArquivo.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

constexpr int kAlturaDicaPadrao = 250;

QString titulo(CLScript& s, JanelaId janela) { return QString::fromStdU16String(s.desktop().janelaTitulo(janela)); }

QString tituloPrimeiroPlano(CLScript& s) {
  return QString::fromStdU16String(s.desktop().janelaPrimeiroPlanoTitulo());
}

}  // namespace

QString fnJanelaAtivaTexto(CLScript& s, const QString&) { return apararDireita(tituloPrimeiroPlano(s)); }

QString fnJanelaAtivaAguardar(CLScript& s, const QString& argumentos) {
  const qint64 inicio = s.host().agoraMs();
  const QStringList a = leitura::getParams2(argumentos);
  const std::optional<int> segundos = a.size() < 2 ? std::nullopt : inteiro(a[1]);
  if (!segundos) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | JanelaAtivaAguardar - Verifique os parâmetros passados")));
    return kFalha;
  }
  const QString parte = leitura::getParamValue(a[0]).toLower();
  if (*segundos <= 0) return kFalha;
  qint64 decorridos = 0;
  do {
    if (!parte.isEmpty() && tituloPrimeiroPlano(s).toLower().contains(parte)) {
      s.host().dormir(50);
      s.host().bombearEventos();
      return kOk;
    }
    decorridos = (s.host().agoraMs() - inicio) / 1000;
    s.host().dormir(50);
    s.host().bombearEventos();
  } while (decorridos < *segundos);
  return kFalha;
}

QString fnJanelaAtivaMaximizar(CLScript& s, const QString&) {
  // The system menu's key for "Maximizar" on a Portuguese system.
  teclarAltEspaco(s);
  s.host().bombearEventos();
  s.host().dormir(500);
  digitarCaractere(s, U'x');
  return {};
}

QString fnJanelaAtivaPosicionar(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  std::optional<int> v[4];
  for (int i = 0; i < 4 && i < a.size(); ++i) v[i] = inteiro(leitura::getParamValue(a[i]));
  if (!v[0] || !v[1] || !v[2] || !v[3]) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | JanelaAtivaPosicionar - Verifique os parâmetros passados")));
    return kFalha;
  }
  const JanelaId janela = s.desktop().janelaPrimeiroPlano();
  if (janela == JanelaId::Nenhuma) return kFalha;
  return s.desktop().janelaMover(janela, {*v[0], *v[1], *v[2], *v[3]}) ? kOk : kFalha;
}

QString fnJanelaAtivar(CLScript& s, const QString& argumentos) {
  const QString parte = leitura::getParamValue(argumentos.toLower());
  if (parte.isEmpty()) return kFalha;  // an empty part is found in no title
  // The first title, in desktop order, that holds the part (upper case on
  // both sides); without one, the last title read.
  const QString parteMaiuscula = parte.toUpper();
  QString achado;
  for (const JanelaId janela : s.desktop().janelasEmOrdem()) {
    achado = titulo(s, janela);
    if (achado.toUpper().contains(parteMaiuscula)) break;
  }
  achado = achado.toLower();
  if (achado.isEmpty() || !achado.contains(parte)) return kFalha;
  const JanelaId janela = s.desktop().janelaPorTitulo(achado.toStdU16String());
  const bool ativada = janela != JanelaId::Nenhuma && s.desktop().janelaAtivar(janela);
  s.host().bombearEventos();
  return ativada ? kOk : kFalha;
}

QString fnJanelaAtivarExe(CLScript& s, const QString& argumentos) {
  const QString nome = leitura::getParamValue(argumentos.toLower());
  if (nome.isEmpty()) return {};
  std::optional<ProcessoId> processo;
  for (const ProgramaEmExecucao& p : s.desktop().programasEmExecucao()) {
    if (QString::fromStdU16String(p.arquivo).compare(nome, Qt::CaseInsensitive) == 0) {
      processo = p.processo;
      break;
    }
  }
  if (!processo) return kFalha;
  const JanelaId janela = s.desktop().janelaDoProcesso(*processo);
  if (janela == JanelaId::Nenhuma) return kFalha;
  const bool ativada = s.desktop().janelaAtivar(janela);
  s.host().bombearEventos();
  return ativada ? kOk : kFalha;
}

QString fnImagemArquivoCopiar(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  QString erro;
  if (a.isEmpty()) {
    erro = QStringLiteral("nenhum arquivo foi informado");
  } else {
    const QString caminho = s.expandirValor(leitura::getParamValue(a[0]));
    ImagemPixels imagem;
    if (lerImagemArquivo(caminho, imagem, erro)) {
      if (s.desktop().areaTransferenciaDefinirImagem(imagem)) return kOk;
      erro = QStringLiteral("a área de transferência está em uso por outro programa");
    }
  }
  s.host().mostrarMensagem(QStringLiteral("Falha ao copiar a imagem: ") + erro);
  s.setErroFatal(s.linhaDeErro(QStringLiteral(" | imagemArquivoCopiar - Verifique a sintaxe de uso desta função.")));
  return kFalha;
}

QString fnMsgExibir(CLScript& s, const QString& argumentos) {
  const QString texto = s.expandirValor(leitura::getParamValue(argumentos));
  s.host().bombearEventos();
  s.host().dormir(10);
  s.host().mostrarInformacao(texto);
  return {};
}

QString fnMsgDica(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  const std::optional<int> altura =
      a.size() == 3 ? inteiro(leitura::getParamValue(a[2])) : std::optional<int>(kAlturaDicaPadrao);
  if (a.size() < 2 || !altura) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | msgDica - Verifique a sintaxe de uso desta função.")));
    return {};
  }
  const QString mensagem = s.expandirValor(leitura::getParamValue(a[1]));
  const QString identificador = s.expandirValor(leitura::getParamValue(a[0]));
  if (s.gDicasExibidas.contains(identificador, Qt::CaseInsensitive)) return {};
  s.host().exibirDica(identificador, mensagem, *altura);
  s.gDicasExibidas.append(identificador);
  return {};
}

QString fnMivoAbaClicar(CLScript& s, const QString& argumentos) {
  const QString nome = aparar(leitura::getParamValue(argumentos).toLower());
  if (nome == QLatin1String("script")) {
    s.host().selecionarAbaPrincipal(0);
  } else if (nome == QLatin1String("dados")) {
    s.host().selecionarAbaPrincipal(1);
  } else if (nome == QLatin1String("texto auxiliar") || nome == QLatin1String("texto")) {
    s.host().selecionarAbaPrincipal(2);
  } else if (nome == QStringLiteral("informações")) {
    s.host().selecionarAbaScript(0);
  } else if (nome == QLatin1String("log")) {
    s.host().selecionarAbaScript(1);
  } else if (nome == QStringLiteral("código")) {
    s.host().selecionarAbaScript(2);
  } else {
    return kFalha;
  }
  return kOk;
}

}  // namespace mivo
