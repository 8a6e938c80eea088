#include "unLeitura.h"

#include "unUtil.h"

namespace mivo::leitura {

namespace {

QString semCrLf(const QString& valor) {
  if (!valor.contains(QLatin1String("\r\n"))) return valor;
  QString r = valor;
  r.remove(QLatin1String("\r\n"));
  return r;
}

}  // namespace

void removerComentario(QString& linha) {
  linha = aparar(linha);
  if (linha.startsWith(QLatin1String("//"))) {
    linha.clear();
    return;
  }
  int a = 0, b = 0;
  const qsizetype n = linha.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = linha[i];
    if (c == u'&') {
      ++a;
      ++b;
    } else if (c == u'(') {
      --a;
    } else if (c == u')') {
      --b;
    } else if (c == u'/' && a == 0 && b == 0 && i + 1 < n && linha[i + 1] == u'/') {
      linha.truncate(i);
      return;
    }
  }
}

LinhaDoScript lerLinhaDoScript(const QStringList& linhas, int indice) {
  LinhaDoScript l;
  QString linha = aparar(linhas.at(indice));
  const qsizetype passo = linha.indexOf(QLatin1String("//*"));
  if (passo >= 0) l.passo = aparar(linha.mid(passo + 3));

  removerComentario(linha);
  l.ultima = indice;
  if (linha.isEmpty()) return l;
  if (linha.startsWith(u'&') && !linha.contains(QLatin1String(")."))) {
    while (true) {
      ++l.ultima;
      if (l.ultima >= linhas.size()) {
        l.tipo = LinhaDoScript::Tipo::NaoTerminada;
        l.ultima = static_cast<int>(linhas.size()) - 1;
        l.texto = linha;
        return l;
      }
      QString pedaco = linhas.at(l.ultima);
      removerComentario(pedaco);
      pedaco = aparar(pedaco);
      // Only the joint and the new piece can complete the terminator.
      const bool terminou = (linha.endsWith(u')') && pedaco.startsWith(u'.')) ||
                            pedaco.contains(QLatin1String(")."));
      linha += pedaco;
      if (terminou) break;
    }
  }
  l.tipo = LinhaDoScript::Tipo::Instrucao;
  l.texto = linha;
  return l;
}

int linhaDeInicio(const QStringList& linhas) {
  static const QLatin1String kMarcadoresFim[] = {
      QLatin1String("##config_fim"), QLatin1String("##info_fim"),
      QLatin1String("##parametros_fim"), QLatin1String("##pre_carregar_fim")};
  const QString texto = linhas.join(QLatin1String("\r\n"));
  qsizetype maior = -1;
  QLatin1String escolhido;
  for (const QLatin1String& m : kMarcadoresFim) {
    const qsizetype pos = texto.indexOf(m);
    if (pos > maior) {
      maior = pos;
      escolhido = m;
    }
  }
  if (maior < 0) return 0;
  int inicio = 0;
  for (int i = 0; i < linhas.size(); ++i)
    if (linhas[i].contains(escolhido, Qt::CaseInsensitive)) inicio = i;
  return inicio;
}

QString nomeDaFuncao(const QString& instrucao) {
  const qsizetype par = instrucao.indexOf(u'(');
  if (par < 1) return {};
  return aparar(instrucao.mid(1, par - 1));
}

QString normalizar(const QString& instrucao) {
  // Most statements have nothing to normalise: no run of blanks and no blank
  // next to ";".
  const qsizetype n = instrucao.size();
  bool precisa = false;
  for (qsizetype i = 0; i < n && !precisa; ++i) {
    if (instrucao[i] != u' ') continue;
    precisa = (i + 1 < n && (instrucao[i + 1] == u' ' || instrucao[i + 1] == u';')) ||
              (i > 0 && instrucao[i - 1] == u';');
  }
  if (!precisa) return aparar(instrucao);
  // One pass does what repeated replacing would: runs of blanks become one,
  // and a blank next to ";" disappears.
  QString r;
  r.reserve(n);
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = instrucao[i];
    if (c == u' ') {
      qsizetype j = i;
      while (j + 1 < n && instrucao[j + 1] == u' ') ++j;
      const bool antesDePontoVirgula = j + 1 < n && instrucao[j + 1] == u';';
      const bool depoisDePontoVirgula = !r.isEmpty() && r.back() == u';';
      if (!antesDePontoVirgula && !depoisDePontoVirgula) r += u' ';
      i = j;
    } else {
      r += c;
    }
  }
  return aparar(r);
}

QString textoArgumentos(const QString& instrucao) {
  const QString s = normalizar(instrucao);
  // From after the first "(" (for a statement) to before a final ")."; a
  // statement text is taken as ending in "." even when it does not.
  qsizetype inicio = 0, fim = s.size();
  if (s.startsWith(u'&')) {
    const qsizetype par = s.indexOf(u'(');
    if (par < 0) return QStringLiteral(".");
    inicio = par + 1;
    if (s.endsWith(u'.')) {
      if (fim - inicio >= 2 && s.at(fim - 2) == u')') fim -= 2;
    } else if (fim > inicio && s.at(fim - 1) == u')') {
      fim -= 1;  // "...)" read as "...)."
    } else {
      return s.mid(inicio) + u'.';
    }
  } else if (s.endsWith(QLatin1String(")."))) {
    fim -= 2;
  }
  return s.mid(inicio, fim - inicio);
}

QString getParamValue(const QString& valor) {
  if (!aparar(valor).isEmpty() && valor.size() >= 2 && valor.front() == u'"' && valor.back() == u'"')
    return aparar(valor.mid(1, valor.size() - 2));
  if (valor == QLatin1String("\"")) return {};
  return aparar(valor);
}

QString removerAspas(const QString& valor) {
  const QString t = aparar(valor);
  if (t.size() >= 2 && t.front() == u'"' && t.back() == u'"') return t.mid(1, t.size() - 2);
  return t;
}

QStringList getParams2(const QString& valor) {
  const QString s = semCrLf(valor);
  QStringList lista;
  bool emChamada = false;
  int d1 = 0, d2 = 0;
  QString pedaco;
  bool soBrancos = true;  // the piece holds nothing but blanks
  for (const QChar c : s) {
    if (c == u'&') {
      emChamada = true;
      ++d1;
      ++d2;
    } else if (c == u'(' && emChamada) {
      --d1;
    } else if (c == u')' && emChamada) {
      --d2;
    }
    if (c == u';' && d1 == 0 && d2 == 0 && !soBrancos) {
      lista.append(aparar(pedaco));
      pedaco.clear();
      soBrancos = true;
      emChamada = false;
    } else if (c == u';' && soBrancos) {
      pedaco.clear();  // the piece would trim to a lone ";"
    } else {
      pedaco += c;
      if (c.unicode() > 0x20) soBrancos = false;
    }
  }
  if (!aparar(pedaco).isEmpty()) lista.append(aparar(pedaco));
  return lista;
}

QString getNextFunctionName(const QString& valor) {
  const QString s = semCrLf(valor);
  bool emAspas = false;
  qsizetype inicio = -1;
  int p = 0, q = 0;
  const qsizetype n = s.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = s[i];
    if (c == u'"') emAspas = !emAspas;
    if (!emAspas) {
      if (c == u'&') {
        if (inicio < 0) inicio = i;
        ++p;
        ++q;
      } else if (c == u'(') {
        p = std::max(0, p - 1);
      } else if (c == u')') {
        q = std::max(0, q - 1);
      }
    }
    // The call ends where both counts are back to zero; what ends it is
    // written as ")".
    if (inicio >= 0 && p == 0 && q == 0 && i > inicio) {
      if (c == u')') return s.mid(inicio, i - inicio + 1);
      return s.mid(inicio, i - inicio) + u')';
    }
  }
  return {};
}

}  // namespace mivo::leitura
