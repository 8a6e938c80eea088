#include "unCLInstrucao.h"

#include "unCatalogo.h"
#include "unExpansao.h"
#include "unLeitura.h"

namespace mivo {


void lerArgumentos(CLInstrucao& i, const CLFuncao& funcao, const QString& texto) {
  i.funcao = &funcao;
  i.texto = texto;
  i.brutos.clear();
  i.lidos.clear();
  i.expandir = 0;
  switch (funcao.leitura) {
    case Leitura::Nenhuma: return;
    case Leitura::Bruta: i.lidos = {texto}; return;
    case Leitura::Inteira: {
      // One argument: the pieces are the text itself (kept in `texto`).
      i.lidos = {funcao.forma(0) == Forma::Bruto ? texto : leitura::getParamValue(texto)};
      if (funcao.forma(0) == Forma::Expandido && expansao::temOQueExpandir(i.lidos.constFirst())) i.expandir = 1;
      return;
    }
    case Leitura::Dividida: i.brutos = leitura::getParams2(texto); break;
  }
  i.lidos.reserve(i.brutos.size());
  for (qsizetype k = 0; k < i.brutos.size(); ++k) {
    const Forma forma = funcao.forma(k);
    const QString& bruto = i.brutos.at(k);
    i.lidos.append(forma == Forma::Bruto ? bruto : leitura::getParamValue(bruto));
    if (forma == Forma::Expandido && k < 64 && expansao::temOQueExpandir(i.lidos.constLast())) i.expandir |= quint64(1) << k;
  }
}

CLInstrucao lerInstrucao(const QString& instrucao) {
  CLInstrucao i;
  i.nome = leitura::nomeDaFuncao(instrucao);
  if (i.nome.isEmpty()) return i;
  const QString texto = leitura::textoArgumentos(instrucao);
  if (const CLFuncao* f = catalogo::procurar(i.nome.toLower()))
    lerArgumentos(i, *f, texto);
  else
    i.texto = texto;
  return i;
}

}  // namespace mivo
