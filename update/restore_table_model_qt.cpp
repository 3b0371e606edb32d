#include "update/restore_table_model_qt.h"

#include <utility>

namespace update {

RestoreTableModel::RestoreTableModel(std::function<RestoreTableContext()> context, QObject* parent)
    : QAbstractTableModel(parent), m_context(std::move(context)) {}

int RestoreTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : restore_table_row_count(m_context());
}

int RestoreTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant RestoreTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != NameRole && role != ValueRole)) return {};
  const std::optional<RestoreTableCell> cell = restore_table_cell(m_context(), index.row());
  if (!cell) return {};
  return QString::fromStdString(role == NameRole ? cell->name : cell->value);
}

void RestoreTableModel::reload() {
  beginResetModel();
  endResetModel();
}

}  // namespace update
