#include "unCLModeloLog.h"

#include "unUtil.h"

namespace mivo {

CLModeloLog::CLModeloLog(QObject* pai) : QAbstractListModel(pai) {}

QString CLModeloLog::cortar(const QString& texto) {
  if (texto.size() <= kMaxCaracteres) return texto;
  qsizetype parte = kMaxCaracteres - 1;
  if (texto.at(parte - 1).isHighSurrogate()) --parte;
  return texto.left(parte) + u'…';
}

QString CLModeloLog::setLogGeral(const QString& mensagem, CorLog cor, const QTime& hora) {
  const QString entrada = horaLongaBR(hora) + QStringLiteral(" - ") + mensagem;
  if (gPausado) return entrada;
  if (gEntradas.size() >= kMaxEntradas) {
    beginRemoveRows({}, 0, static_cast<int>(gEntradas.size() - kMaxEntradas));
    gEntradas.remove(0, gEntradas.size() - kMaxEntradas + 1);
    endRemoveRows();
  }
  const int linha = static_cast<int>(gEntradas.size());
  beginInsertRows({}, linha, linha);
  gEntradas.append({cortar(entrada), cor});
  endInsertRows();
  return entrada;
}

void CLModeloLog::editLogGeral(const QString& textoadd) {
  if (gPausado || gEntradas.isEmpty()) return;
  Entrada& e = gEntradas.last();
  if (e.texto.size() >= kMaxCaracteres) return;
  e.texto = cortar(e.texto + u' ' + textoadd);
  const QModelIndex i = index(static_cast<int>(gEntradas.size() - 1));
  emit dataChanged(i, i);
}

void CLModeloLog::zerar() {
  beginResetModel();
  gEntradas.clear();
  endResetModel();
}

QColor CLModeloLog::corDesenho(CorLog cor, const QColor& textoJanela) {
  return cor == CorLog::Vermelho ? QColor(255, 0, 0) : textoJanela;
}

int CLModeloLog::rowCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : static_cast<int>(gEntradas.size());
}

QVariant CLModeloLog::data(const QModelIndex& indice, int papel) const {
  if (!indice.isValid() || indice.row() >= gEntradas.size()) return {};
  const Entrada& e = gEntradas.at(indice.row());
  switch (papel) {
    case Qt::DisplayRole: return e.texto;
    case kPapelCor: return static_cast<int>(e.cor);
    case Qt::ForegroundRole:
      if (e.cor == CorLog::Vermelho) return QColor(255, 0, 0);
      return {};
    default: return {};
  }
}

}  // namespace mivo
